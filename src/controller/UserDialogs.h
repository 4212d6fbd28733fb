#pragma once

#include <QString>
#include <optional>

enum class SaveChangesAnswer { Save, Discard, Cancel };

// Every message box and file dialog of the program goes through this, so the
// windows can be driven by a script in tests. Message boxes carry the title
// "Message" unless said otherwise.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // One OK button.
    virtual void showMessage(const QString& text) = 0;
    // One OK button and the application's own title (the second-instance notice).
    virtual void showUntitledMessage(const QString& text) = 0;
    // Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString& text) = 0;
    // Yes, No and Cancel, for a document with unsaved changes.
    virtual SaveChangesAnswer askSaveChanges(const QString& text) = 0;

    // File dialogs. filter is "Description|*.a;*.b|Description|*.c" as the
    // program writes it. They return the chosen full path, or nothing when
    // the user cancelled.
    virtual std::optional<QString> chooseOpenFile(const QString& folder, const QString& fileName,
                                                  const QString& filter) = 0;
    virtual std::optional<QString> chooseSaveFile(const QString& folder, const QString& fileName,
                                                  const QString& filter) = 0;
};

// The title every message box shows, in every language.
inline constexpr char16_t MessageTitle[] = u"Message";
