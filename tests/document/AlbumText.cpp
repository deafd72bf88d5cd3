#include "AlbumText.h"

#include <sstream>

namespace {

std::string snapshotToThumbnail(std::string name) {
    const auto pos = name.find("snapshot_");
    if (pos != std::string::npos)
        name.replace(pos, 9, "thumbnail_");
    return name;
}

} // namespace

std::vector<std::string> AlbumText::lines() const {
    std::vector<std::string> out = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<StoryCreator>",
        "  <ClientEnvironment>",
        "    <ClientVersion>1.0</ClientVersion>",
        "    <Language>English</Language>",
        "    <Os>Windows</Os>",
        "    <Product>Base</Product>",
        "    <Build>1</Build>",
        "  </ClientEnvironment>",
        "  <ExchangeMetadata>",
        "    <Album>",
        "      <AlbumId>0x1234</AlbumId>",
        "      <FamilyName><![CDATA[" + family + "]]></FamilyName>",
        "      <FamilyId>0x0001</FamilyId>",
        "      <NeighborhoodId>N001</NeighborhoodId>",
        "      <NeighborhoodName><![CDATA[" + neighborhood + "]]></NeighborhoodName>",
        "      <LotId>0x0042</LotId>",
        "      <LotName><![CDATA[" + lot + "]]></LotName>",
        "      <Title><![CDATA[" + title + "]]></Title>",
        "      <Description></Description>",
    };
    for (const PageText& page : pages) {
        std::istringstream block(entryLines(page, "\n"));
        for (std::string line; std::getline(block, line);)
            out.push_back(line);
    }
    if (keywords.empty()) {
        out.push_back("      <KeywordList/>");
    } else {
        out.push_back("      <KeywordList>");
        for (const std::string& keyword : keywords)
            out.push_back("        <Keyword>" + keyword + "</Keyword>");
        out.push_back("      </KeywordList>");
    }
    out.push_back("    </Album>");
    out.push_back("  </ExchangeMetadata>");
    out.push_back("</StoryCreator>");
    return out;
}

std::string AlbumText::bytes() const {
    std::string out;
    const auto all = lines();
    for (std::size_t i = 0; i < all.size(); ++i) {
        out += all[i];
        if (i + 1 < all.size() || finalLineEnd)
            out += lineEnd;
    }
    return out;
}

std::string entryLines(const PageText& page, const std::string& lineEnd) {
    const std::string pad(8, ' ');
    std::string out = "      <Entry>" + lineEnd;
    out += pad + "<Title><![CDATA[" + page.title + "]]></Title>" + lineEnd;
    out +=
        pad + "<ThumbnailFilename>" + snapshotToThumbnail(page.snapshot) + "</ThumbnailFilename>" + lineEnd;
    out += pad + "<Snapshot>" + page.snapshot + "</Snapshot>" + lineEnd;
    std::string story = page.story;
    for (auto pos = story.find('\n'); pos != std::string::npos; pos = story.find('\n', pos + lineEnd.size()))
        story.replace(pos, 1, lineEnd);
    out += pad + "<Text><![CDATA[" + story + "]]></Text>" + lineEnd;
    out += pad + "<TextResourceId>" + page.resourceId + "</TextResourceId>" + lineEnd;
    out += pad + "<TimeStamp>" + page.timeStamp + "</TimeStamp>" + lineEnd;
    out += "      </Entry>" + lineEnd;
    return out;
}
