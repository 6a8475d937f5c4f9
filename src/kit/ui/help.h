#pragma once
// The user's guide: HTML pages installed beside the programs (the files of
// the repository's help/ folder), shown in the program's help window
// (CHelpWindow). Every page or dialog with a Help command goes through
// OpenHelpPage.
#include <QString>

class QWidget;

namespace formet {

// The guide's main page, and the pages of the import dialogs.
inline constexpr const char* kHelpGuide = "formet2007.html";
inline constexpr const char* kHelpImportW2 = "ImportW2Forms.html";
inline constexpr const char* kHelpImport1099 = "Import1099Forms.html";

// The file of a help page beside the programs ("formet2007.html" or
// "formet2007.html#password": the part after '#' names a section).
QString HelpPagePath(const QString& page);

// Shows a help page in the program's help window. When the page is not
// installed, says so in a message box over `parent` and returns false.
bool OpenHelpPage(const QString& page, QWidget* parent = nullptr);

// Opens a help page in the desktop's browser instead; a page that is not
// installed, or a desktop without a browser for it, is reported as above.
bool OpenHelpPageInBrowser(const QString& page, QWidget* parent = nullptr);

// Opens a web address in the desktop's browser; a failure is reported as
// for help pages.
bool OpenWebPage(const QString& url, QWidget* parent = nullptr);

}  // namespace formet
