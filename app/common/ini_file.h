#pragma once
// A sectioned profile file ("[Section]" lines and "Key=Value" lines) with the semantics of the
// classic profile API: sections and keys match without regard to case, a missing file or key
// gives the default, and a write changes one line and keeps every other line as it was.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A write that could not reach the disk: "Unable to write to <file with its folder>".
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    // A bare name is looked up in the INI folder (IniDir); a path with a '/' is used as it is.
    explicit TIniFile(std::string fileName);

    const std::string &fileName() const { return m_fileName; }
    const std::string &path() const { return m_path; }

    // Values longer than 1023 characters are cut, as the profile API's 1024-byte buffer does.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // "0x1E" reads as 30, "$1E" too; an empty or malformed value gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // Any value other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Throws EIniFileException when the file cannot be written. Line breaks inside a value are
    // written as blanks, so a value can never add keys or sections of its own.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Between BeginUpdate and EndUpdate the file is read once and every write changes only a
    // copy in memory (reads see those changes); EndUpdate then replaces the file in one step,
    // so a save of many keys leaves either the old file or the new one, never a mix. EndUpdate
    // throws EIniFileException when the file cannot be written; the update is over either way.
    void BeginUpdate();
    void EndUpdate();
    // Ends an update without writing anything.
    void CancelUpdate() { m_pending.reset(); }
    bool updating() const { return m_pending.has_value(); }

private:
    struct Lines {
        std::vector<std::string> lines;
        bool crlf = true;
    };
    Lines load() const;
    void store(Lines &&lines);
    Lines readLines() const;
    void writeLines(const Lines &lines) const;

    std::string m_fileName;
    std::string m_path;
    std::optional<Lines> m_pending;
};

} // namespace orvane
