#include "TextEntries.h"
#include "TextTable.h"

namespace {

// Japanese. "File Copied" and "File Copy Error!" stay English, as they
// always have in this table.
constexpr TextEntry SecondEntries[] = {
    {TextSlot::FileMenu, u"ファイル(&F)"},
    {TextSlot::HelpMenu, u"ヘルプ(&H)"},
    {TextSlot::AboutProgramMenu, u"Morva Schedule Generator について..."},
    {TextSlot::AboutCompanyMenu, u"会社情報..."},
    {TextSlot::New, u"新規作成"},
    {TextSlot::Open, u"開く"},
    {TextSlot::Save, u"上書き保存"},
    {TextSlot::SaveAs, u"名前を付けて保存..."},
    {TextSlot::Exit, u"終了"},
    {TextSlot::BasicScheduleFrame, u"基本スケジュール"},
    {TextSlot::AdvanceScheduleFrame, u"期間スケジュール"},
    {TextSlot::DetailFrame, u"期間スケジュールの再生リスト"},
    {TextSlot::Add, u"追加"},
    {TextSlot::Modify, u"変更"},
    {TextSlot::Remove, u"削除"},
    {TextSlot::MoveUp, u"上へ"},
    {TextSlot::MoveDown, u"下へ"},
    {TextSlot::FileName, u"ファイル名"},
    {TextSlot::PlayTimes, u"再生回数"},
    {TextSlot::Volume, u"音量"},
    {TextSlot::StartDay, u"開始日"},
    {TextSlot::StopDay, u"終了日"},
    {TextSlot::WeekDay, u"曜日"},
    {TextSlot::ProgramTitle, u"Morva スケジュールジェネレーター"},
    {TextSlot::MediaEditorCaption, u"スケジュールファイル編集"},
    {TextSlot::FileEditFrame, u"ファイル編集"},
    {TextSlot::Browse, u"参照"},
    {TextSlot::Ok, u"OK"},
    {TextSlot::CopyTo, u"コピー先..."},
    {TextSlot::Cancel, u"キャンセル"},
    {TextSlot::DefaultVolumeItem, u"既定"},
    {TextSlot::DateSetup, u"日付設定"},
    {TextSlot::Year, u"年"},
    {TextSlot::Month, u"月"},
    {TextSlot::Day, u"日"},
    {TextSlot::Sunday, u"日曜日"},
    {TextSlot::Monday, u"月曜日"},
    {TextSlot::Tuesday, u"火曜日"},
    {TextSlot::Wednesday, u"水曜日"},
    {TextSlot::Thursday, u"木曜日"},
    {TextSlot::Friday, u"金曜日"},
    {TextSlot::Saturday, u"土曜日"},
    {TextSlot::AllDay, u"毎日"},
    {TextSlot::TimeSetup, u"時刻設定"},
    {TextSlot::StartTime, u"開始時刻"},
    {TextSlot::StopTime, u"終了時刻"},
    {TextSlot::Hour, u"時"},
    {TextSlot::Minute, u"分"},
    {TextSlot::Second, u"秒"},
    {TextSlot::AdvanceEditorCaption, u"期間スケジュール編集"},
    {TextSlot::SoftwareVersion, u"ソフトウェア バージョン"},
    {TextSlot::ScheduleKernelVersion, u"スケジュール カーネル バージョン"},
    {TextSlot::ProgramRunning, u"プログラムは既に実行中です。"},
    {TextSlot::SystemInformationError, u"システム情報エラー"},
    {TextSlot::FileNotFound, u"ファイルが見つかりません。"},
    {TextSlot::NoAnySchedule, u"スケジュールがありません。"},
    {TextSlot::CantSave, u"保存できません。"},
    {TextSlot::AdvanceWithoutDetails,
     u"再生リストが空の期間スケジュールがあります。保存できません。番号 "},
    {TextSlot::TooManySchedules, u"スケジュールが多すぎます。"},
    {TextSlot::FileAlreadyExisted, u"ファイルは既に存在します。上書きしますか?"},
    {TextSlot::TooManyBasicSchedules, u"これ以上追加できません。"},
    {TextSlot::DateSetupError, u"日付設定エラー"},
    {TextSlot::TimeSetupError, u"時刻設定エラー"},
    {TextSlot::LinkError, u"リンクエラー"},
    {TextSlot::FileNameError, u"ファイル名エラー"},
    {TextSlot::FileCopied, u"File Copied"},
    {TextSlot::FileCopyError, u"File Copy Error!"},
    {TextSlot::ScheduleReadError, u"スケジュールファイル %1 を読み込めません: %2"},
    {TextSlot::ScheduleWriteError, u"スケジュールファイル %1 を保存できませんでした: "
                                   u"%2\nディスク上のファイルは変更されていません。"},
    {TextSlot::SaveChangesQuestion, u"スケジュール %1 は変更されています。\n保存しますか?"},
    {TextSlot::LanguageMenu, u"言語(&L)"},
    {TextSlot::EnglishLanguage, u"English"},
    {TextSlot::SecondLanguage, u"日本語"},
    {TextSlot::SystemInfoWriteError, u"設定を %1 に書き込めませんでした: %2"},
    {TextSlot::FileChangedOnDisk,
     u"スケジュールファイル %1 "
     u"は、開いた後または保存した後にディスク上で変更されています。\n上書きしますか?"},
    {TextSlot::SystemInfoReadError, u"設定ファイル %1 を読み込めません: "
                                    u"%2\nファイルはそのまま残し、今回のフォルダは記憶しません。"},
};
static_assert(FindTextEntryProblems(SecondEntries).none(), "every slot needs exactly one text");

} // namespace

const TextTable& SecondTexts() {
    static const TextTable table(SecondEntries);
    return table;
}
