#pragma once
// The fixed pieces of an exported page around the album's own content: the document opening with
// the page title, the popup window script and the two forms of the body heading. Each returns the
// piece whole, line ends included; the title and names go in as text, so markup in them shows as typed.

#include "document/Storybook.h"

#include <string>

std::string BuildHtmlTitle(const std::string& title, const Storybook& album);
std::string BuildPopupScript();
// For the list templates.
std::string BuildBodyHeader(const std::string& title, const Storybook& album);
// For the viewer template.
std::string BuildViewerBodyHeader(const std::string& title, const Storybook& album);
