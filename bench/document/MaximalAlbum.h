#pragma once
// The largest album the program takes: 1,025 pages whose stories of one and three lines bring the
// file to just under the line image's 9,999 lines. Smaller albums have its head and its first pages.

#include <string>

inline std::string albumBytes(int pages) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<StoryCreator>\n  <ClientEnvironment>\n"
        "    <ClientVersion>1.0</ClientVersion>\n    <Language>English</Language>\n    <Os>Windows</Os>\n"
        "    <Product>Base</Product>\n    <Build>1</Build>\n  </ClientEnvironment>\n  <ExchangeMetadata>\n"
        "    <Album>\n      <AlbumId>0x1234</AlbumId>\n      <FamilyName><![CDATA[Hawthorne]]></FamilyName>\n"
        "      <FamilyId>0x0001</FamilyId>\n      <NeighborhoodId>N001</NeighborhoodId>\n"
        "      <NeighborhoodName><![CDATA[Pleasantview]]></NeighborhoodName>\n      <LotId>0x0042</LotId>\n"
        "      <LotName><![CDATA[Willow Lane]]></LotName>\n      <Title><![CDATA[A Long Year]]></Title>\n"
        "      <Description></Description>\n";
    constexpr int kMaximalPages = 1025;
    constexpr int kLinesWithoutStories = 20 + kMaximalPages * 8 + 4;
    const int threeLineStories = (9999 - kLinesWithoutStories) / 2;
    for (int page = 0; page < pages; ++page) {
        char number[16];
        std::snprintf(number, sizeof number, "%08d", page + 1);
        const std::string name = std::string("4c1e9b07_") + number + ".jpg";
        out += "      <Entry>\n        <Title><![CDATA[Day " + std::to_string(page + 1) + "]]></Title>\n";
        out += "        <ThumbnailFilename>thumbnail_" + name + "</ThumbnailFilename>\n";
        out += "        <Snapshot>snapshot_" + name + "</Snapshot>\n";
        out += "        <Text><![CDATA[The family spent the afternoon in the garden";
        if (page < threeLineStories)
            out +=
                "\nand the children built a tree house by the fence\nwhile Grandma watched from the porch.";
        out += "]]></Text>\n        <TextResourceId>0x00000001</TextResourceId>\n";
        out += "        <TimeStamp>3/14/2026 18:22:41</TimeStamp>\n      </Entry>\n";
    }
    out += "      <KeywordList/>\n    </Album>\n  </ExchangeMetadata>\n</StoryCreator>";
    return out;
}

inline std::string maximalAlbumBytes() {
    return albumBytes(1025);
}

// The maximal album's head and keyword list around one page whose story is story.
inline std::string oneStoryAlbumBytes(const std::string& story) {
    const std::string maximal = maximalAlbumBytes();
    return maximal.substr(0, maximal.find("      <Entry>")) +
           "      <Entry>\n        <Title><![CDATA[Day 1]]></Title>\n"
           "        <ThumbnailFilename>thumbnail_4c1e9b07_00000001.jpg</ThumbnailFilename>\n"
           "        <Snapshot>snapshot_4c1e9b07_00000001.jpg</Snapshot>\n        <Text><![CDATA[" +
           story +
           "]]></Text>\n        <TextResourceId>0x00000001</TextResourceId>\n"
           "        <TimeStamp>3/14/2026 18:22:41</TimeStamp>\n      </Entry>\n" +
           maximal.substr(maximal.find("      <KeywordList/>"));
}

// A small album whose one story is a line of one megabyte.
inline std::string oneMegabyteLineAlbumBytes() {
    std::string story;
    while (story.size() < 1024 * 1024)
        story += "the longest story ever told goes on and on ";
    return oneStoryAlbumBytes(story);
}

// A small album whose first story holds about 6.4 MB of "]]>" kept by the CDATA split, as pasted text
// full of them is stored.
inline std::string splitStoryAlbumBytes() {
    std::string story;
    while (story.size() < 6400 * 1024)
        story += "a]]]]><![CDATA[>b";
    return oneStoryAlbumBytes(story);
}
