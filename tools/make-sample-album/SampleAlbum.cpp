#include "SampleAlbum.h"

namespace {

const QString kHomeLot = "4c1e9b07";
const QString kNeighbourLot = "7a2f3d16";
const QString kNoLot = "00000000";

QString cdata(const QString& text) {
    return "<![CDATA[" + text + "]]>";
}

// A field line of an entry: eight blanks, the tag, the content, the closing tag.
QString fieldLine(const QString& tag, const QString& content) {
    return "        <" + tag + ">" + content + "</" + tag + ">";
}

// An album value line of the metadata head: six blanks of indentation.
QString valueLine(const QString& tag, const QString& content) {
    return "      <" + tag + ">" + content + "</" + tag + ">";
}

void appendEntry(QStringList& lines, const SamplePage& page) {
    lines << "      <Entry>";
    lines << fieldLine("Title", cdata(page.title));
    lines << fieldLine("ThumbnailFilename", page.snapshot.thumbnailName());
    lines << fieldLine("Snapshot", page.snapshot.snapshotName());
    // A story of several lines keeps its line breaks in the file: the field runs over as many lines.
    lines << fieldLine("Text", cdata(page.storyLines.join('\n')));
    lines << fieldLine("TextResourceId", "0x00000001");
    lines << fieldLine("TimeStamp", page.timeStamp);
    lines << "      </Entry>";
}

SamplePage page(const QString& title, const QString& lot, int number, Scene scene, const QString& timeStamp,
                const QStringList& story, QSize size = {1024, 768}) {
    return {title, {lot, number, scene, size}, story, timeStamp};
}

std::vector<SamplePage> hawthornePages() {
    return {
        page("Home Sweet Home", kHomeLot, 1, Scene::HomeMorning, "6/12/2004 09:14:27",
             {"This is the little white cottage on Willow Lane. Walter says the roof only leaks when it "
              "rains."}),
        page("Moving Day", kHomeLot, 2, Scene::MovingDay, "6/12/2004 16:40:03",
             {"Moving day! June labelled every single box, and Walter still managed to lose the kettle.",
              "We ate our first supper sitting on the boxes."}),
        page("Penny's First Garden", kHomeLot, 3, Scene::FlowerGarden, "6/19/2004 08:05:51",
             {"Penny planted her very first flower beds this spring.",
              "She waters them every morning before school,",
              "and talks to the roses when she thinks nobody is listening."}),
        page("The Garden Party", kHomeLot, 4, Scene::GardenParty, "7/3/2004 15:22:10",
             {"To celebrate our first summer on Willow Lane we threw a garden party for the whole "
              "neighborhood. June baked three cakes, and Walter strung the paper flags from the old oak "
              "all the way to the apple tree.",
              "Agnes Pemberton from next door brought her famous lemonade, and Oliver drank four glasses "
              "before anyone noticed.",
              "",
              "Penny ran the balloon stand and gave one to every child who could tell her the name of a "
              "flower. By sunset the lawn was covered in confetti, the flags were drooping, and everybody "
              "agreed it was the best party Maple Hollow had seen in years.",
              "We are already planning the next one."}),
        page("Sunday Supper", kHomeLot, 5, Scene::Kitchen, "7/11/2004 18:31:44",
             {"June's tomato soup, the pride of the family. Oliver says it beats any caf\u00e9 in town, "
              "but he only eats the crackers."}),
        page("Oliver Turns Six", kHomeLot, 6, Scene::Birthday, "8/2/2004 17:02:39",
             {"Oliver turned six today!", "He blew out all the candles in one breath and wished for a puppy.",
              "We will see about that."},
             {1600, 1200}),
        page("Evening by the Lake", kHomeLot, 7, Scene::LakeSunset, "8/21/2004 20:12:05",
             {"Walter and June slipped away to the lake after the children were asleep.",
              "The sun went down in orange and gold, and for once nobody said a word."}),
        page("Tea at the Pembertons", kNeighbourLot, 1, Scene::NeighboursHouse, "9/5/2004 15:47:18",
             {"Tea at the Pembertons' blue house across the hill. Agnes showed Penny her rose garden and "
              "promised her a cutting for her own beds."}),
        page("Autumn Leaves", kHomeLot, 8, Scene::AutumnPark, "10/16/2004 11:26:52",
             {"Autumn came early to Maple Hollow.",
              "Penny and Oliver raked the leaves into one enormous pile, then jumped straight into it."}),
        page("First Snow", kHomeLot, 9, Scene::FirstSnow, "12/4/2004 10:03:29",
             {"The first snow of winter! Oliver built a snowman and named him Mr. Buttons, "
              "though he has no buttons at all."},
             {1600, 1200}),
        page("A Quiet Night", kHomeLot, 10, Scene::QuietNight, "12/18/2004 22:48:13",
             {"A quiet night on Willow Lane. Everyone is home, the lamps are lit and the house is warm."}),
        page("Welcome, Baby Rose", kHomeLot, 11, Scene::Nursery, "2/9/2005 07:55:40",
             {"Welcome to the world, little Rose!", "She has her mother's eyes and her father's appetite.",
              "Penny has already promised to teach her the names of all the flowers,",
              "and Oliver wants to know when she will be old enough to play catch."}),
    };
}

} // namespace

QString SampleSnapshot::snapshotName() const {
    return QString("snapshot_%1_%2.jpg").arg(lotCode).arg(number, 8, 10, QChar('0'));
}

QString SampleSnapshot::thumbnailName() const {
    return QString("thumbnail_%1_%2.jpg").arg(lotCode).arg(number, 8, 10, QChar('0'));
}

SampleAlbum hawthorneAlbum() {
    SampleAlbum album;
    album.fileName = "Storybook_Hawthorne_Family.xml";
    album.familyName = "Hawthorne";
    album.neighborhoodName = "Maple Hollow";
    album.lotName = "Willow Lane Cottage";
    album.title = "A Year on Willow Lane";
    album.pages = hawthornePages();
    album.unusedSnapshots = {{kHomeLot, 12, Scene::RainyDay},
                             {kHomeLot, 13, Scene::Picnic},
                             {kNeighbourLot, 2, Scene::Meadow},
                             {kNeighbourLot, 3, Scene::WinterWalk},
                             {kNeighbourLot, 4, Scene::StarryHill, {1024, 768}, false},
                             {kNoLot, 1, Scene::Village}};
    album.keywords = {"Hawthorne", "Willow Lane", "Family"};
    return album;
}

QByteArray albumFileText(const SampleAlbum& album) {
    QStringList lines = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<StoryCreator>",
        "  <ClientEnvironment>",
        "    <ClientVersion>1.0.0.1</ClientVersion>",
        "    <Language>English</Language>",
        "    <Platform>PC</Platform>",
        "    <ScreenWidth>1024</ScreenWidth>",
        "    <ScreenHeight>768</ScreenHeight>",
        "  </ClientEnvironment>",
        "  <ExchangeMetadata>",
        "    <Album>",
        valueLine("AlbumType", "0x00000002"),
        valueLine("FamilyName", cdata(album.familyName)),
        valueLine("FamilyId", "0x00000017"),
        valueLine("NeighborhoodId", "N002"),
        valueLine("NeighborhoodName", cdata(album.neighborhoodName)),
        valueLine("LotId", "0x" + album.pages.front().snapshot.lotCode),
        valueLine("LotName", cdata(album.lotName)),
        valueLine("Title", cdata(album.title)),
        valueLine("Created", album.pages.front().timeStamp),
    };
    for (const SamplePage& page : album.pages)
        appendEntry(lines, page);
    lines << "      <KeywordList>";
    for (const QString& keyword : album.keywords)
        lines << "        <Keyword>" + cdata(keyword) + "</Keyword>";
    lines << "      </KeywordList>"
          << "    </Album>"
          << "  </ExchangeMetadata>"
          << "</StoryCreator>";
    return lines.join('\n').toUtf8();
}
