#include "SaveAsTarget.h"

#include "document/TextUtil.h"
#include "export/HtmlExport.h"

#include <filesystem>
#include <string_view>

namespace {

// Extensions typed in the name box count in any letter case.
bool endsWithLowered(std::string_view text, std::string_view end) {
    return asciiLowerCased(text).ends_with(end);
}

std::string withoutAll(std::string text, std::string_view piece) {
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at))
        text.erase(at, piece.size());
    return text;
}

} // namespace

SaveAsTarget saveAsTarget(const std::string& chosen, int filterIndex) {
    const auto exported = [&](std::string_view added, const char* templateName) {
        return SaveAsTarget{SaveAsAction::ExportHtml, templateName, chosen + std::string(added),
                            !added.empty()};
    };
    if (filterIndex == 1 && endsWithLowered(chosen, ".html"))
        return exported("", webtemplate::kStaticLinear);
    if (filterIndex == 1 && endsWithLowered(chosen, ".htm"))
        return exported("l", webtemplate::kStaticLinear);
    if (filterIndex == 1 && endsWithLowered(chosen, ".xml"))
        return {SaveAsAction::SaveXml, {}, chosen, false};
    if (filterIndex == 2)
        return exported(".html", webtemplate::kStaticLinear);
    if (filterIndex == 3)
        return exported(".html", webtemplate::kPopup);
    if (filterIndex == 4)
        return exported(".html", webtemplate::kAdvancedViewer);
    if (chosen.ends_with(".xml"))
        return {SaveAsAction::SaveXml, {}, chosen, false};
    return {SaveAsAction::SaveXml, {}, chosen + ".xml", true};
}

std::string suggestedSaveAsName(const std::string& albumFile) {
    return withoutAll(withoutAll(albumFile, ".xml"), ".html");
}

bool sameFolder(const std::string& one, const std::string& other) {
    if (one == other)
        return true;
    std::error_code error;
    const bool same =
        std::filesystem::equivalent(one.empty() ? "." : one, other.empty() ? "." : other, error);
    return !error && same;
}
