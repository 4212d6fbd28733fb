#pragma once

#include "ControlTexts.h"
#include "EditMode.h"
#include "MediaEntry.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class UserDialogs;

// The media entry editor: one media file name, its play times and its volume.
// It hands back a typed entry; the caller stores it in the document.
class ScheduleEditForm final : public QDialog {
    Q_OBJECT

public:
    // mediaFolder is where Browse starts; Browse updates it.
    ScheduleEditForm(UserDialogs& dialogs, QString& mediaFolder, QWidget* parent = nullptr);

    // Fills the fields: the defaults in the add modes, the entry otherwise.
    void MediaEditSetup(EditMode mode, const MediaEntry& entry = MediaEntry());

    // The entry as the fields describe it, valid after OK.
    MediaEntry entry() const { return m_entry; }

    // What Copy to... runs, with the picked file's name as typed (not upper-cased).
    void setCopyHandler(std::function<void(const QString& fileName)> handler) {
        m_copyHandler = std::move(handler);
    }

    // "Osd", on-screen display: the texts of the current table put on the
    // window's controls.
    void InitScheduleEditFormOsd();

public Q_SLOTS:
    void BrowseCmd_Click();
    void CopyCmd_Click();
    void OKCmd_Click();

private:
    // Shows "File Name Error!" when the name is refused.
    bool FileNameCheck();
    MediaEntry StoreMediaEntry() const;

    UserDialogs& m_dialogs;
    QString& m_mediaFolder;
    MediaEntry m_entry;
    std::function<void(const QString&)> m_copyHandler;

    QLineEdit* m_fileNameText = nullptr;
    QComboBox* m_playTimesCombo = nullptr;
    QComboBox* m_volumeCombo = nullptr;
    QPushButton* m_copyCmd = nullptr;
    ControlTexts m_texts;
};

inline constexpr char16_t MediaFileFilter[] =
    u"Media File(*.jpg;*.avi;*.mpg;*.dat;*.vob;*.mp3)|*.jpg;*.avi;*.mpg;*.dat;*.vob;*.mp3|"
    u"All File(*.*)|*.*";
