#include "ScheduleEditForm.h"

#include "ComboHelpers.h"
#include "CurrentTexts.h"
#include "Fonts.h"
#include "MediaNameRules.h"
#include "PathHelpers.h"
#include "UserDialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ScheduleEditForm::ScheduleEditForm(UserDialogs& dialogs, QString& mediaFolder, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_mediaFolder(mediaFolder) {
    setObjectName(u"ScheduleEditForm"_s);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"EditFrame"_s);
    frame->setFont(CaptionFont());
    m_texts.addWindowTitle(this, TextSlot::MediaEditorCaption);
    m_texts.add(frame, TextSlot::FileEditFrame);
    outer->addWidget(frame);
    auto* grid = new QGridLayout(frame);

    const auto caption = [this, frame](const QString& name, TextSlot slot) {
        QPushButton* button = MakeCaptionButton(name, frame);
        m_texts.add(button, slot);
        return button;
    };
    grid->addWidget(caption(u"FileNameCmd"_s, TextSlot::FileName), 0, 0);
    m_fileNameText = new QLineEdit(frame);
    m_fileNameText->setObjectName(u"FileNameText"_s);
    m_fileNameText->setFont(CaptionFont());
    m_fileNameText->setMinimumWidth(260);
    grid->addWidget(m_fileNameText, 0, 1, 1, 2);
    auto* browse = new QPushButton(frame);
    browse->setObjectName(u"BrowseCmd"_s);
    browse->setFont(CaptionFont());
    m_texts.add(browse, TextSlot::Browse, u'B');
    grid->addWidget(browse, 0, 3);
    m_copyCmd = new QPushButton(frame);
    m_copyCmd->setObjectName(u"CopyCmd"_s);
    m_copyCmd->setFont(CaptionFont());
    m_texts.add(m_copyCmd, TextSlot::CopyTo, u'C');
    grid->addWidget(m_copyCmd, 1, 3);

    grid->addWidget(caption(u"PlayTimesCmd"_s, TextSlot::PlayTimes), 1, 0);
    m_playTimesCombo = MakePickList(u"PlayTimesCombo"_s, frame);
    grid->addWidget(m_playTimesCombo, 1, 1);
    grid->addWidget(caption(u"VolumeCmd"_s, TextSlot::Volume), 2, 0);
    m_volumeCombo = MakePickList(u"VolumeCombo"_s, frame);
    grid->addWidget(m_volumeCombo, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(frame);
    ok->setObjectName(u"OKCmd"_s);
    ok->setFont(CaptionFont());
    ok->setDefault(true);
    m_texts.add(ok, TextSlot::Ok);
    auto* cancel = new QPushButton(frame);
    cancel->setObjectName(u"CancelCmd"_s);
    cancel->setFont(CaptionFont());
    m_texts.add(cancel, TextSlot::Cancel);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 4);

    // Copy to... copies the file that was picked: any edit of the name ends that.
    connect(m_fileNameText, &QLineEdit::textChanged, m_copyCmd,
            [this] { m_copyCmd->setEnabled(false); });
    connect(browse, &QPushButton::clicked, this, &ScheduleEditForm::BrowseCmd_Click);
    connect(m_copyCmd, &QPushButton::clicked, this, &ScheduleEditForm::CopyCmd_Click);
    connect(ok, &QPushButton::clicked, this, &ScheduleEditForm::OKCmd_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    InitScheduleEditFormOsd();
}

void ScheduleEditForm::InitScheduleEditFormOsd() {
    m_texts.apply();
}

void ScheduleEditForm::MediaEditSetup(EditMode mode, const MediaEntry& entry) {
    InitScheduleEditFormOsd();
    FillNumbers(m_playTimesCombo, 0, MaxPlayTimes);
    FillNumbers(m_volumeCombo, 0, MaxVolumeLevel);
    m_volumeCombo->addItem(Text(TextSlot::DefaultVolumeItem));
    if (IsAddMode(mode)) {
        m_fileNameText->clear();
        m_playTimesCombo->setCurrentIndex(1);
        m_volumeCombo->setCurrentIndex(DefaultVolume);
    } else {
        m_fileNameText->setText(EditorFileNameText(entry));
        SelectNearest(m_playTimesCombo, entry.playTimes);
        SelectNearest(m_volumeCombo, entry.volume);
    }
    m_copyCmd->setEnabled(false);
    m_fileNameText->setFocus();
}

void ScheduleEditForm::BrowseCmd_Click() {
    const std::optional<QString> path =
        m_dialogs.chooseOpenFile(m_mediaFolder, QString(), QString::fromUtf16(MediaFileFilter));
    if (!path)
        return;
    m_fileNameText->setText(TrimSpaces(FileNameOfPath(*path)));
    m_mediaFolder = FolderOfPath(*path);
    m_copyCmd->setEnabled(true);
}

void ScheduleEditForm::CopyCmd_Click() {
    if (!FileNameCheck())
        return;
    if (m_copyHandler)
        m_copyHandler(TrimSpaces(m_fileNameText->text()));
}

bool ScheduleEditForm::FileNameCheck() {
    if (IsAcceptedMediaFileName(m_fileNameText->text()))
        return true;
    m_dialogs.showMessage(Text(TextSlot::FileNameError));
    return false;
}

MediaEntry ScheduleEditForm::StoreMediaEntry() const {
    MediaEntry entry;
    StoreMediaName(m_fileNameText->text(), entry);
    entry.playTimes = quint8(m_playTimesCombo->currentIndex());
    entry.volume = quint8(m_volumeCombo->currentIndex());
    entry.reserved.fill(0);
    return entry;
}

void ScheduleEditForm::OKCmd_Click() {
    if (!FileNameCheck())
        return;
    m_entry = StoreMediaEntry();
    accept();
}
