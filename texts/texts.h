// The program's texts in both languages.
#pragma once

#include <QString>

// Every text of the program in both languages, in one place. Windows and messages pick the
// text of a language with Text(); which language is in force is the settings' business.
namespace tv {

struct TextPair {
  const char *english;
  const char *second;
};

// A language: the member of TextPair that holds its texts.
using Language = const char *TextPair::*;

// The language of a run: English, or the second language.
constexpr Language LanguageOf(bool english) { return english ? &TextPair::english : &TextPair::second; }

// The text of the pair in the language.
QString Text(const TextPair &pair, Language language);

// Texts that are the same in both languages.
// The application title, also the main window's caption.
inline constexpr const char *ApplicationTitle = "Tarnview";
// The caption of every OK button.
inline constexpr const char *OkCaption = "OK";
// The design text of a label whose text is set later.
inline constexpr const char *PendingText = "...";

namespace texts {

// Main window (TForm1)
inline constexpr TextPair IndexOf{"Index of", "索引"};
inline constexpr TextPair FilenameTitle{"Filename", "文件名"};
inline constexpr TextPair SizeTitle{"Size", "大小"};
inline constexpr TextPair LastModifiedTitle{"Last modified", "最后修改"};
inline constexpr TextPair ExitHint{"Exit", "Einde"};
inline constexpr TextPair UpHint{"Up", "向上"};
inline constexpr TextPair AboutHint{"About Tarnview", "关于"};
inline constexpr TextPair DriveListHint{"Drive list", "驱动器列表"};
inline constexpr TextPair HomeHint{"Home", "主页"};
inline constexpr TextPair RefreshHint{"Refresh", "刷新"};
inline constexpr TextPair NewWordButton{"New Word document", "新建Word文档"};
inline constexpr TextPair NewExcelButton{"New Excel document", "新建Excel文档"};
inline constexpr TextPair NewPowerPointButton{"New PowerPoint document", "新建PowerPoint文档"};
inline constexpr TextPair NewFolderButton{"New folder", "新建文件夹"};
// Also the Options dialog's caption.
inline constexpr TextPair OptionsHint{"Options", "选项"};
inline constexpr TextPair MyDocumentsHint{"My documents", "我的文档"};
// Also the Options dialog's Desktop item.
inline constexpr TextPair DesktopHint{"Desktop", "桌面"};
inline constexpr TextPair RenameItem{"Rename", "重命名"};
inline constexpr TextPair DeleteItem{"Delete", "删除"};

// Listing
inline constexpr TextPair FolderMissing{"This folder doesn't exist!", "文件夹不存在！"};
inline constexpr TextPair FolderNotAnswering{"The folder is not answering.", "文件夹没有响应。"};
inline constexpr TextPair FolderReadIncomplete{"This folder could not be read completely.", "无法完整读取此文件夹。"};
// Work that needs a thread of its own, when the system gives none
inline constexpr TextPair NoThreadForWork{"Tarnview could not start this work: the system gives it no thread.",
                                          "无法开始此操作：系统没有可用的线程。"};
inline constexpr TextPair DriveListTitle{" My Computer (drive list)", "我的电脑 (驱动器列表)"};
inline constexpr TextPair FreeSpaceOpen{" free (", " vrij ("};
inline constexpr const char *FreeSpaceClose = "%)";
// Units of sizes, the same in both languages
inline constexpr const char *GigabyteUnit = " GB";
inline constexpr const char *MegabyteUnit = " MB";
inline constexpr const char *KilobyteUnit = " KB";
inline constexpr const char *ByteUnit = " bytes";

// Name-entry dialogs (TForm2, TForm3); the new-folder dialog's caption stays English
inline constexpr TextPair NewDocumentCaption{"New document", "新的文档"};
inline constexpr const char *NewFolderCaption = "New folder";
inline constexpr const char *OlderFormatItem = "97-2003";
inline constexpr const char *NewerFormatItem = "2007";
inline constexpr TextPair FilenameLabel{"Filename:", "文件名:"};
inline constexpr TextPair TypeLabel{"Type:", "类型:"};
inline constexpr TextPair NameLabel{"Name:", "文件名:"};
inline constexpr TextPair Cancel{"Cancel", "取消"};
inline constexpr TextPair ProposedWordName{"New Word document", "新的Word文档"};
inline constexpr TextPair ProposedExcelName{"New Excel document", "新的Excel文档"};
inline constexpr TextPair ProposedPowerPointName{"New PowerPoint document", "新的PowerPoint文件"};

// New document: the system's error box, the same in both languages; %1 the file, %2 the reason
inline constexpr const char *CannotCreateFile = "Cannot create file \"%1\". %2.";

// Rename
inline constexpr TextPair FolderNameTaken{"A folder with this name already exists!", "文件夹名称已存在!"};
inline constexpr TextPair FileNameTaken{"A file with this name already exists!", "文件名称已存在!"};

// Delete, and its confirmation box (TForm6)
inline constexpr const char *DeleteFileCaption = "Delete file";
inline constexpr TextPair CannotDeleteFolders{"Cannot delete folders.", "不能删除此文件夹."};
inline constexpr TextPair DeleteQuestionStart{"Are you sure you want to delete", "你确定文件"};
inline constexpr TextPair DeleteQuestionEnd{"?", " 是否删除?"};
inline constexpr TextPair Yes{"Yes", "是"};
inline constexpr TextPair No{"No", "否"};

// Failures of rename and delete: %1 the name, %2 the new name or the reason, %3 the reason
inline constexpr TextPair RenameFailed{"Could not rename \"%1\" to \"%2\": %3.", "无法将 \"%1\" 重命名为 \"%2\": %3."};
inline constexpr TextPair InvalidName{"a name must not be empty, \".\" or \"..\" and must not contain \"/\"",
                                      "名称不能为空, 不能是 \".\" 或 \"..\", 也不能包含 \"/\""};
inline constexpr TextPair TrashFailed{"Could not move \"%1\" to the trash, the file stays where it is: %2.",
                                      "无法将 \"%1\" 移到回收站, 文件保留在原处: %2."};
// %3 where the file is now, put back under another name as its own was taken meanwhile
inline constexpr TextPair TrashFailedKeptAt{"Could not move \"%1\" to the trash: %2. The file is now \"%3\".",
                                            "无法将 \"%1\" 移到回收站: %2. 文件现在位于 \"%3\"."};
// Files that an interrupted run had taken aside, put back under other names at the next start
inline constexpr TextPair PutBackUnderOtherNames{
    "An interrupted move had taken files aside. They are back, under other "
    "names, as their own were taken: %1",
    "中断的移动曾将文件移开。它们已放回, 但因原名称已被占用而使用了其他名称: %1"};
// Reasons for TrashFailed that the system's error number does not give
inline constexpr TextPair NoHomeFolder{"no home folder is set", "未设置主文件夹"};
inline constexpr TextPair FileChangedWhileTrashed{"the file changed while it was being moved",
                                                  "文件在移动过程中被更改"};

// The box of a long copy: the file's name, the bytes done of the total (%1 of %2), Cancel
inline constexpr TextPair CopyingCaption{"Copying", "正在复制"};
inline constexpr TextPair BytesDoneOfTotal{"%1 of %2", "%1 / %2"};

// Message box (TForm5): its caption and button are the same in both languages
inline constexpr const char *MessageCaption = "Message";

// Options dialog (TForm4); the items of the language list name each language in its own way
inline constexpr const char *LanguageItems[] = {"English", "Nederlands (Dutch)"};
inline constexpr TextPair LanguageLabel{"Language:", "语言:"};
inline constexpr TextPair HomeLocationCaption{"Home location", "起始位置"};
inline constexpr TextPair ApplicationFolderItem{"Application folder", "程序文件夹"};
inline constexpr TextPair DriveListItem{"Drive list", "驱动盘列表"};
inline constexpr TextPair MyDocumentsItem{"My Documents", "我的文档"};
inline constexpr TextPair DisplayHiddenFiles{"Display hidden files", "显示隐藏文件"};
inline constexpr TextPair ResetDefaultSettings{"Reset default settings", "重设默认设置"};
inline constexpr TextPair SetCurrentAsDefault{"Set current settings as default", "设置当前设置为默认"};
inline constexpr TextPair SettingsSaved{"Settings saved.", "设置已保存."};
inline constexpr TextPair SettingsWriteFailed{"Failed to write settings to disk.",
                                              "Kon de instellingen niet naar de hardeschijf schrijven."};
inline constexpr TextPair RestartStart{"You need to restart ", "U moet "};
inline constexpr TextPair RestartEnd{" in order to change the language.", " herstarten om de taal te wijzigen."};

// About box (TFormAbout). Only the first word of the version label is translated; the
// program's name and the copyright line are the same in both languages.
inline constexpr TextPair AboutCaption{"About", "关于"};
inline constexpr const char *VersionLabel = "Version 1.2";
inline constexpr TextPair VersionWord{"Version", "版本"};
inline constexpr const char *CopyrightLine = "© 2008 Corvane";
inline constexpr TextPair VisitWebsite{"Visit website", "访问主页"};
inline constexpr TextPair IdeaCredit{"Thanks to all who use Tarnview", "感谢每一位使用Tarnview的用户"};

// Locations handed to the program by the command line or by other programs of the desktop:
// why one is not shown. %1 is the location as it was given.
inline constexpr TextPair LocationMissing{"\"%1\" does not exist.", "\"%1\" 不存在."};
inline constexpr TextPair LocationUnreadable{"\"%1\" cannot be read.", "无法读取 \"%1\"."};
inline constexpr TextPair LocationNotLocal{"\"%1\" is not a folder or file on this computer.",
                                           "\"%1\" 不是本机上的文件夹或文件."};

// The command line's own texts, in English only: they are printed before the settings that
// choose the language are read.
inline constexpr const char *UsageText = "Usage: tarnview [FOLDER | FILE | file:// URI]\n"
                                         "Shows the folder; for a file, its folder with the file selected.\n"
                                         "\n"
                                         "  --help     show this text and exit\n"
                                         "  --version  show the version and exit\n";
inline constexpr const char *VersionText = "Tarnview 1.2\n";

} // namespace texts
} // namespace tv
