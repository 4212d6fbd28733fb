#include "TextEntries.h"
#include "TextTable.h"

namespace {

// The texts are the program's own, misspellings included: users and their
// manuals know them this way.
constexpr TextEntry EnglishEntries[] = {
    {TextSlot::FileMenu, u"&File"},
    {TextSlot::HelpMenu, u"&Help"},
    {TextSlot::AboutProgramMenu, u"About Morva Schedule Generator..."},
    {TextSlot::AboutCompanyMenu, u"About Company..."},
    {TextSlot::New, u"New"},
    {TextSlot::Open, u"Open"},
    {TextSlot::Save, u"Save"},
    {TextSlot::SaveAs, u"Save As..."},
    {TextSlot::Exit, u"Exit"},
    {TextSlot::BasicScheduleFrame, u"Basic Schedule"},
    {TextSlot::AdvanceScheduleFrame, u"Advance Schedule"},
    {TextSlot::DetailFrame, u"Detail of Advance Schedule"},
    {TextSlot::Add, u"Add"},
    {TextSlot::Modify, u"Modify"},
    {TextSlot::Remove, u"Remove"},
    {TextSlot::MoveUp, u"Move Up"},
    {TextSlot::MoveDown, u"Move Down"},
    {TextSlot::FileName, u"File Name"},
    {TextSlot::PlayTimes, u"Play Times"},
    {TextSlot::Volume, u"Volume"},
    {TextSlot::StartDay, u"Start Day"},
    {TextSlot::StopDay, u"Stop Day"},
    {TextSlot::WeekDay, u"Week Day"},
    {TextSlot::ProgramTitle, u"Morva Schedule Generator"},
    {TextSlot::MediaEditorCaption, u"Schedule File Editor"},
    {TextSlot::FileEditFrame, u"File Edit"},
    {TextSlot::Browse, u"Browse"},
    {TextSlot::Ok, u"OK"},
    {TextSlot::CopyTo, u"Copy to..."},
    {TextSlot::Cancel, u"Cancel"},
    {TextSlot::DefaultVolumeItem, u"Default"},
    {TextSlot::DateSetup, u"Date Setup"},
    {TextSlot::Year, u"Year"},
    {TextSlot::Month, u"Month"},
    {TextSlot::Day, u"Day"},
    {TextSlot::Sunday, u"Sunday"},
    {TextSlot::Monday, u"Monday"},
    {TextSlot::Tuesday, u"Tuesday"},
    {TextSlot::Wednesday, u"Wednesday"},
    {TextSlot::Thursday, u"Thursday"},
    {TextSlot::Friday, u"Friday"},
    {TextSlot::Saturday, u"Saturday"},
    {TextSlot::AllDay, u"All Day"},
    {TextSlot::TimeSetup, u"Time Setup"},
    {TextSlot::StartTime, u"Start Time"},
    {TextSlot::StopTime, u"Stop Time"},
    {TextSlot::Hour, u"Hour"},
    {TextSlot::Minute, u"Minute"},
    {TextSlot::Second, u"Second"},
    {TextSlot::AdvanceEditorCaption, u"Advance Schecule Editor"},
    {TextSlot::SoftwareVersion, u"Software Version"},
    {TextSlot::ScheduleKernelVersion, u"Schedule Kernel Version"},
    {TextSlot::ProgramRunning, u"The program is running now!!"},
    {TextSlot::SystemInformationError, u"System Information Error!!"},
    {TextSlot::FileNotFound, u"File Not Found!"},
    {TextSlot::NoAnySchedule, u"No any schedule!"},
    {TextSlot::CantSave, u"Can't save!"},
    {TextSlot::AdvanceWithoutDetails, u"No any schedule file in advance schedule! Can't Save!"},
    {TextSlot::TooManySchedules, u"Too many schedules!!"},
    {TextSlot::FileAlreadyExisted, u"File Already Existed, Overwrite?"},
    {TextSlot::TooManyBasicSchedules, u"Too many basic schedules!!"},
    {TextSlot::DateSetupError, u"Date Setup Error!"},
    {TextSlot::TimeSetupError, u"Time Setup Error!"},
    {TextSlot::LinkError, u"Link error"},
    {TextSlot::FileNameError, u"File Name Error!"},
    {TextSlot::FileCopied, u"File Copied"},
    {TextSlot::FileCopyError, u"File Copy Error!"},
    {TextSlot::ScheduleReadError, u"The schedule file %1 cannot be read: %2"},
    {TextSlot::ScheduleWriteError,
     u"The schedule file %1 could not be saved: %2\nThe file on disk was not changed."},
    {TextSlot::SaveChangesQuestion, u"The schedule %1 has been changed.\nDo you want to save it?"},
    {TextSlot::LanguageMenu, u"&Language"},
    {TextSlot::EnglishLanguage, u"English"},
    {TextSlot::SecondLanguage, u"\u65E5\u672C\u8A9E"}, // the language's own name, in every table
    {TextSlot::SystemInfoWriteError, u"The settings could not be written to %1: %2"},
    {TextSlot::FileChangedOnDisk, u"The schedule file %1 has been changed on disk since it was "
                                  u"opened or saved.\nDo you want to overwrite it?"},
    {TextSlot::SystemInfoReadError, u"The settings file %1 cannot be read: %2\nIt is left as it "
                                    u"is, and the folders of this run will not be remembered."},
};
static_assert(FindTextEntryProblems(EnglishEntries).none(), "every slot needs exactly one text");

} // namespace

const TextTable& EnglishTexts() {
    static const TextTable table(EnglishEntries);
    return table;
}
