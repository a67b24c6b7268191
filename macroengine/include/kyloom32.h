/* Kyloom32: keyboard and mouse macro engine.
 *
 * C interface of libkyloom32.so. Keys are 16-bit codes: the low byte is a Windows virtual-key
 * code (1, 2 and 4 are the left, right and middle mouse buttons), the high byte holds the
 * modifiers (1 Ctrl, 2 Alt, 4 Shift), so 0x0120 is Ctrl+Space. A macro is an opaque 32-bit
 * handle, 0 for none; every export checks it, and an unknown handle is never dereferenced.
 * Booleans are one byte (0 false, 1 true). No export ever lets a C++ exception escape, and the
 * library never ends its host process.
 */
#ifndef KYLOOM32_H
#define KYLOOM32_H

#include <stdint.h>

#if defined(KYLOOM_STATIC)
#define KYLOOM_API
#elif defined(KYLOOM_BUILDING)
#define KYLOOM_API __attribute__((visibility("default")))
#else
#define KYLOOM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t KyKey;
typedef uint32_t KyMacro;
typedef uint8_t KyBool;
typedef unsigned long KyWindow; /* an X window id */

/* A routine of the host process that a macro runs instead of its events (no parameters). */
typedef void (*KyCodeHook)(void);

/* Receives every message the library shows: an empty caption with a text of the library's
 * message table, or the caption "SendKeys" for the key-string language. */
typedef void (*KyReportFn)(const char *caption, const char *text);

/* A notification for the host's notify window (messages 1532 to 1540). */
typedef struct KyNotification {
    uint32_t message;
    KyWindow window; /* the notify window given to InstallHook */
    uint32_t wParam;
    uint32_t lParam; /* 1540: the macro installed, 0 after a delete */
} KyNotification;

/* Mouse recording filter and mouse origin values of InstallHook. */
enum { RMIgnore = 0, RMClicksAndDrags = 1, RMAll = 2 };
enum { MBScreen = 0, MBWindow = 1, MBPointer = 2 };

/* ---- Message and notification ids ------------------------------------------------------ */

/* Ids of the library's message table (LoadMsg) that the library reports and callers word their
 * own failures with. */
enum {
    KyMsgOutOfMemory = 1,
    KyMsgScrapNotValid = 2,
    KyMsgInvalidHandle = 3,
    KyMsgOpen = 4,
    KyMsgCreate = 5,
    KyMsgRead = 6,
    KyMsgWrite = 7,
    KyMsgClose = 8,
    KyMsgFormat = 9,
    KyMsgVersion = 10,
    KyMsgAllocate = 11,
    KyMsgRegistryFull = 13,
    KyMsgOneHookPerTask = 14,
    KyMsgKeyboardHook = 17,
    KyMsgMouseHook = 19,
    KyMsgCreateWindow = 23,
    KyMsgNothingToUninstall = 25,
    KyMsgPlaybackHook = 26,
    KyMsgScrapAllocation = 28,
    KyMsgSharedAllocation = 29,
    KyMsgSharedMapping = 30,
    KyMsgCannotRecord = 31,
    KyMsgAlreadyOff = 32,
    KyMsgMacroNotFound = 33,
    KyMsgUnknownError = 34,
    KyMsgInvalidValue = 35,
    KyMsgModifiersNotAllowed = 36,
    KyMsgKeyInUse = 37,
    KyMsgBusy = 38,
    KyMsgNoMacroName = 100,
    KyMsgMacroUndefined = 101,
    KyMsgNoName = 300,
    KyMsgCancel = 303,
    KyMsgPause = 305,
    KyMsgNumDivide = 306,
    KyMsgNumDecimal = 307,
};

/* The `message` of a KyNotification. */
enum {
    KyNoteRecord = 1532,
    KyNoteRecordStop = 1533,
    KyNotePlay = 1534,
    KyNotePlayEnd = 1535,
    KyNotePaused = 1536,
    KyNoteResumed = 1537,
    KyNoteRecorded = 1538, /* wParam: a KyState value */
    KyNotePlayed = 1539,   /* wParam: a KyState value */
    KyNoteAssigned = 1540  /* lParam: the macro installed, 0 after a delete */
};

/* The state carried by KyNoteRecorded and KyNotePlayed. */
enum {
    KyStateRecordingOff = 1,
    KyStateRecordingOn = 2,
    KyStateRecordingPaused = 3,
    KyStateRecordingResumed = 4,
    KyStatePlaybackOff = 5,
    KyStatePlaybackOn = 6,
    KyStatePlaybackPaused = 7,
    KyStatePlaybackResumed = 8
};

/* ---- Version and messages ---------------------------------------------------------------- */

/* The library's version: major in the high byte, minor in the low byte (0x0200). */
KYLOOM_API uint16_t GetKeyloomVersion(void);

/* Copies message `id` of the library's table into `text` as a length-prefixed string: text[0]
 * is the length (at most 255), text[1..] the characters. `text` must hold 256 bytes. An unknown
 * id gives the empty text. */
KYLOOM_API void LoadMsg(uint16_t id, unsigned char *text);

/* ---- Reporting ------------------------------------------------------------------------- */

/* Replaces the function through which the library shows its messages; NULL restores the
 * default, which writes "caption: text" or just the text to standard error. */
KYLOOM_API void SetReportFunction(KyReportFn fn);

/* ---- Life cycle and state ---------------------------------------------------------------- */

/* Installs the engine for this process: the "MacroWin" message window, an empty macro table of
 * 8 slots and the scrap macro with its key registered. Refused while busy (message 38); on a
 * failure it reports the message, tears down what it built and returns 0. A repeated call
 * starts a new empty table and keeps the rest. */
KYLOOM_API KyBool InstallHook(KyWindow notifyWindow, KyBool fastPlayback, KyBool systemWide,
                              uint8_t mouseRecording, uint8_t mouseOrigin, KyBool cancelChecking);

/* Deletes every table macro (message 25 when there is no table), then frees the scrap macro,
 * releases this process's hot keys and destroys the message window. Refused while busy. */
KYLOOM_API void UninstallHook(void);

/* 0 idle, 1 recording, 2 playing back (also while paused), 3 recording paused. */
KYLOOM_API uint8_t GetMacroState(void);

/* A descriptor that is readable while notifications wait (-1 before InstallHook); the host's
 * event loop watches it and calls TakeNotification until it returns 0. */
KYLOOM_API int GetNotifyDescriptor(void);

/* Moves the oldest waiting notification into `out` and returns 1, or returns 0 when none
 * waits. Notifications are queued only while InstallHook's notify window is not 0. */
KYLOOM_API KyBool TakeNotification(KyNotification *out);

/* ---- Recording and playback ------------------------------------------------------------ */

/* Starts recording into the scrap macro (message 31 unless idle), stops it untrimmed (message
 * 32 unless recording or paused), or does whichever fits the state. */
KYLOOM_API void RecordingOn(void);
KYLOOM_API void RecordingOff(void);
KYLOOM_API void ToggleRecording(void);

/* Plays the macro back, or runs its code hook on the calling thread; nothing when busy or for
 * macro 0. PlaybackScrap plays the scrap macro. Playback runs on while the host goes on taking
 * notifications; requests to this process (hot keys, the steering keys, the end of playback)
 * are handled inside TakeNotification, on the thread that installed the engine. */
KYLOOM_API void PlaybackMacro(KyMacro macro);
KYLOOM_API void PlaybackScrap(void);

/* Whether this process is watching the key: a hot key or steering key another client already
 * holds cannot be watched (reported once as message 17, or 19 for a mouse button). */
KYLOOM_API KyBool IsHotKeyWatched(KyKey key);

/* ---- Stopping an injection ----------------------------------------------------------- */

/* Asks the typing of SendKeys or SendText and a playback in progress to stop: they press
 * nothing more, release every key and button they hold and give back the keycodes they
 * borrowed, then return (a playback ends as at its last event). Called while nothing is
 * injected, it stops the next injection before it presses anything. It only sets a flag, so a
 * signal handler may call it; the kyloom command does on SIGTERM, SIGINT and SIGHUP. An
 * injection also starts by releasing the keys and buttons that an earlier run which was killed
 * outright left held, and by giving back the keycodes it had borrowed. */
KYLOOM_API void StopInjection(void);

/* ---- Macro table ------------------------------------------------------------------------- */

/* The scrap macro that recordings go into; 0 before InstallHook. */
KYLOOM_API KyMacro GetScrapMacro(void);

/* The macro table's current capacity (8, growing by 8); 0 before InstallHook. */
KYLOOM_API uint16_t GetMaxMacroNum(void);

/* Puts a copy of `source` under `key`, replacing the macro that had the key; source 0 deletes
 * that macro. Result 0 on success (and when nothing is to delete), 1 when the table cannot
 * grow, 0x81 when busy or the copy or its key registration failed. */
KYLOOM_API uint8_t InstallMacro(KyKey key, KyMacro source, const char *name, KyCodeHook codeHook);

/* The scrap macro if its key matches, else the first table macro with `key`, else 0. */
KYLOOM_API KyMacro GetMacroByKey(KyKey key);

/* -1: the scrap macro; 0 to capacity-1: that slot (0 when empty); any other index: 0. */
KYLOOM_API KyMacro GetMacroByIndex(int32_t index);

/* The first table macro whose name equals `name` ignoring letter case, else 0. */
KYLOOM_API KyMacro GetMacroByName(const char *name);

/* The macro's key, 0 for macro 0. */
KYLOOM_API KyKey GetMacroKey(KyMacro macro);

/* Gives the macro a new key and moves its hot key; a key another macro has is refused with
 * message 37, and a busy engine with message 38. */
KYLOOM_API void SetMacroKey(KyMacro macro, KyKey key);

/* The macro's name; "<MACRO UNDEFINED>" for macro 0 and "<NO MACRO NAME>" without a name. The
 * text stays valid until the name changes or the next GetMacroName call. */
KYLOOM_API const char *GetMacroName(KyMacro macro);

/* Removes trailing blanks from `name` in place and makes a copy of it the macro's name; a NULL
 * or empty result leaves the macro without a name. */
KYLOOM_API void SetMacroName(KyMacro macro, char *name);

/* The macro's code hook, NULL for none or for macro 0. */
KYLOOM_API KyCodeHook GetMacroCodeHook(KyMacro macro);

/* Sets the code hook of any table macro; the scrap macro and 0 are ignored. Refused while busy. */
KYLOOM_API void SetMacroCodeHook(KyMacro macro, KyCodeHook codeHook);

/* ---- Engine keys ------------------------------------------------------------------------- */

/* The key that starts and stops recording (any key, modifiers included; 0x077A at first). */
KYLOOM_API KyKey GetToggleRecordKey(void);
KYLOOM_API void SetToggleRecordKey(KyKey key);

/* The cancel key (0x0003 at first) and the pause key (0x0013 at first). Setting a key with
 * modifiers is refused with message 36 and returns 0; otherwise the key is stored and 1 returned. */
KYLOOM_API KyKey GetCancelKey(void);
KYLOOM_API KyBool SetCancelKey(KyKey key);
KYLOOM_API KyKey GetPauseKey(void);
KYLOOM_API KyBool SetPauseKey(KyKey key);

/* ---- Possible macro keys and modifier bits ------------------------------------------------ */

/* The number of keys a macro may be given (750), the key at `index` (0 outside the list) and
 * the position of `key` in the list (-1 when absent). */
KYLOOM_API uint16_t GetMaxPossibleMKeys(void);
KYLOOM_API KyKey GetPossibleMKey(uint16_t index);
KYLOOM_API int32_t GetPossibleMKeyIndex(KyKey key);

/* Whether the key's high byte holds Ctrl (1), Alt (2) or Shift (4). */
KYLOOM_API KyBool GetKeyCtrl(KyKey key);
KYLOOM_API KyBool GetKeyAlt(KyKey key);
KYLOOM_API KyBool GetKeyShift(KyKey key);

/* Sets (on not 0) or clears that modifier bit of *key in place; NULL is ignored. */
KYLOOM_API void SetKeyCtrl(KyKey *key, KyBool on);
KYLOOM_API void SetKeyAlt(KyKey *key, KyBool on);
KYLOOM_API void SetKeyShift(KyKey *key, KyBool on);

/* ---- Key strings and key injection ---- */

/* Writes the name of `key` into `buffer`, which holds `size` bytes: "Ctrl+", "Alt+", "Shift+"
 * for its modifiers, then the key's name ("F11", "Space", "LButton", "No name" for a code
 * without one), cut so that the terminating zero fits. Returns `buffer`. */
KYLOOM_API char *GetKeyName(KyKey key, char *buffer, int32_t size);

/* Sets the Ctrl, Alt and Shift bits of *key from the modifiers held on the keyboard now; a
 * bare Shift, Ctrl or Alt key is left as it is. NULL is ignored. */
KYLOOM_API void GetShiftStates(KyKey *key);

/* The state of the Caps, Num and Scroll Lock keys of the display (1 on). */
KYLOOM_API KyBool GetCapsLock(void);
KYLOOM_API KyBool GetNumLock(void);
KYLOOM_API KyBool GetScrollLock(void);

/* Turns the lock on (not 0) or off for the whole display. */
KYLOOM_API void SetCapsLock(KyBool on);
KYLOOM_API void SetNumLock(KyBool on);
KYLOOM_API void SetScrollLock(KyBool on);

/* Types the key string `keys` into the window that has the focus. Plain characters type
 * themselves; "+", "^", "%" hold Shift, Ctrl, Alt for the next key or "(group)"; "~" is Enter;
 * "{NAME}" or "{NAME n}" presses a named key (ENTER, TAB, LEFT, F1 ... F16, ...) n times;
 * "{c}" types one of the language's own characters; "{{}" and "{}}" type braces. Problems are
 * reported with the caption "SendKeys". With `wait`, every key event is handled by the X
 * server before the next is sent. No key stays down afterwards. */
KYLOOM_API void SendKeys(const char *keys, KyBool wait);

/* Types every character of the UTF-8 `text` literally into the window that has the focus
 * ("+", "~" and braces are plain characters here), through the same key injection as
 * SendKeys; characters the keyboard map lacks are typed on borrowed spare keycodes. No
 * display, no XTEST extension, no focus window and a character no key can type are each
 * reported with the caption "SendText". No key stays down afterwards. */
KYLOOM_API void SendText(const char *text);

/* Brings the top-level window whose title is exactly `title` to the front and focuses it;
 * 0 (and no message) when no window has that title. */
KYLOOM_API KyBool AppActivate(const char *title);

/* ---- end of key strings and key injection ---- */

/* ---- Macro files ------------------------------------------------------------------------- */

/* Saves every table macro without a code hook to `fileName` (cut to 128 characters), replacing
 * the file. Result 0, or 0xFF when busy or a create, write or close failed (each reported). */
KYLOOM_API uint8_t WriteMacros(const char *fileName);

/* Loads the macros of `fileName` into the table, emptying it first unless `append`; a loaded
 * macro replaces the one with its key. Result 0 once the file was opened and closed (problems
 * inside are reported), 0xFF when busy or the file could not be opened or closed. */
KYLOOM_API uint8_t ReadMacros(const char *fileName, KyBool append);

/* One macro of a macro file as ListMacroFile gives it. */
typedef struct KyMacroFileEntry {
    KyKey key;
    uint8_t mouseOrigin; /* MBScreen, MBWindow or MBPointer */
    int64_t eventCount;
    const char *name; /* "" for a macro without a name; valid only during the call */
} KyMacroFileEntry;

typedef void (*KyMacroFileEntryFn)(const KyMacroFileEntry *entry, void *context);

/* Reads the macros of `fileName` without installing any and without a display, calling `fn`
 * (with `context`) for each in file order. Returns 0 when the whole file was read, else the id
 * of the message that names the damage (KyMsgOpen, KyMsgRead, KyMsgFormat or KyMsgVersion);
 * the macros before the damage have been given to `fn`. Nothing is reported: the caller words
 * the failure. */
KYLOOM_API uint16_t ListMacroFile(const char *fileName, KyMacroFileEntryFn fn, void *context);

#ifdef __cplusplus
}
#endif

#endif /* KYLOOM32_H */
