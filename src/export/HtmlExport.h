#pragma once
// Writes the open album as one HTML page in one of three web templates. The album is only read. The
// page is written beside the target and renamed into place, so a failed export leaves the target as
// it was and says why. Names and the title show as typed, stories stay the author's markup, and a
// picture whose name would lead out of the folder is left out of the page.

#include "document/FileText.h"
#include "document/Storybook.h"

#include <string>

namespace webtemplate {
inline constexpr const char* kStaticLinear = "Static HTML Linear";
inline constexpr const char* kPopup = "JavaScript HTML Popup";
inline constexpr const char* kAdvancedViewer = "CSS/JS Advanced Viewer";
} // namespace webtemplate

// Any template name but the popup and viewer names (compared exactly) gives the static layout; the
// footer names the template as passed. ok is false, with a sentence for the user, when the page
// could not be written.
FileResult ExportStorybookHtml(const Storybook& album, const std::string& path,
                               const std::string& templateName);

// The page that ExportStorybookHtml writes, byte for byte.
std::string BuildExportPage(const Storybook& album, const std::string& templateName);
