#pragma once
// The options dialog: the voice and its hot key, the user's wave file, the look of the clock face
// and the program's behaviour, on three pages. It edits a working copy of the settings; only OK
// hands it back, and the main window then applies and saves it.
#include "app/clock/settings_record.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orvane {

class TFacePanel;
class TMacroKeyComboBox;
class TPlacement;
class TSpinEdit;

class TOption : public QDialog {
    Q_OBJECT
public:
    // Asks the user for a colour, starting at `initial`; nullopt when cancelled.
    using ColorChooser = std::function<std::optional<QColor>(QWidget *parent, const QColor &initial)>;
    // Asks the user for a wave file, starting at `current`; nullopt when cancelled.
    using WaveChooser = std::function<std::optional<QString>(QWidget *parent, const QString &current)>;

    // `live` is the program's settings: the working copy is taken from it when the dialog is
    // shown, and OK sets its hot-key choice. `programDir` holds "CstmCol.Str".
    TOption(TProgramSettings &live, std::string programDir, QWidget *parent = nullptr);
    ~TOption() override;

    // The working copy the controls edit; the main window applies it after OK.
    const TSettingsRecord &working() const { return m_working; }

    void setColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }
    void setWaveChooser(WaveChooser chooser) { m_waveChooser = std::move(chooser); }
    TFacePanel *sample() const { return Sample; }
    // The last error shown to the user, for tests.
    const QString &lastError() const { return m_lastError; }

public slots:
    void OKBtnClick();
    void HelpBtnClick();
    void FontColorBtnClick();
    void BackColorBtnClick();
    void Button3Click();
    void Button9Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildVoicePage(QWidget *page);
    void buildDisplayPage(QWidget *page);
    void buildControlPage(QWidget *page);
    void connectHandlers();
    void FormShow();
    void setControls();
    void fillLists();
    void FitSample();
    void shrinkSampleToWidth();
    void setSampleStyle(const std::string &style);
    void FontNameChange(int row);
    void FontStyleChange(int row);
    void BevelOutsideChange(int row);
    void BevelInsideChange(int row);
    void BevelWidthChange(int value);
    void BorderWidthChange(int value);
    void CheckBox2Click();
    void chooseColor(bool fontColor);
    void showError(const QString &text);
    void contextHelp();

    TProgramSettings &m_live;
    std::string m_programDir;
    TSettingsRecord m_working;
    ColorChooser m_colorChooser;
    WaveChooser m_waveChooser;
    bool m_loading = false;
    bool m_shown = false;
    QString m_lastError;
    std::unique_ptr<TPlacement> Placement1;

    QTabWidget *TabbedNotebook1 = nullptr;
    // Page "&Voice / Wav".
    QCheckBox *PlayVoice = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    TMacroKeyComboBox *MacroKeyComboBox1 = nullptr;
    QCheckBox *PlayWave = nullptr;
    QRadioButton *BeforeBtn = nullptr;
    QRadioButton *AfterBtn = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button9 = nullptr;
    QLineEdit *wavefilename = nullptr;
    // Page "&Display".
    QComboBox *FontName = nullptr;
    QComboBox *FontStyle = nullptr;
    QComboBox *BevelOutside = nullptr;
    QComboBox *BevelInside = nullptr;
    TSpinEdit *BevelWidth = nullptr;
    TSpinEdit *BorderWidth = nullptr;
    TFacePanel *Sample = nullptr;
    QPushButton *FontColorBtn = nullptr;
    QPushButton *BackColorBtn = nullptr;
    // Page "&Control".
    QCheckBox *StayOnTop = nullptr;
    QCheckBox *AutoStart = nullptr;
    QCheckBox *AllShowHints = nullptr;
    QCheckBox *AutoRun = nullptr;
    QCheckBox *TitleRes = nullptr;
    QCheckBox *TitleClock = nullptr;
    QRadioButton *AllWin = nullptr;
    QRadioButton *ParentWin = nullptr;
    // Beside the notebook.
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
};

} // namespace orvane
