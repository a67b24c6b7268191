// The play-list editor's lists and the name editor's stepping, without windows.
#include "app/media/name_editing.h"
#include "app/media/play_list_editing.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

TDiscRecord disc(int tracks) { return TDiscRecord::newDisc(tracks, 1, 1); }

std::vector<std::string> names(std::initializer_list<int> tracks)
{
    std::vector<std::string> out;
    for (int t : tracks)
        out.push_back("Untitled " + std::to_string(t));
    return out;
}

} // namespace

TEST(PlayListEditing, FortyFiveAddedTracksKeepTheFirstForty)
{
    TDiscRecord r = disc(15);
    PlayListEditing e;
    e.fill(r);
    e.addAll();
    e.addAll();
    e.addAll();
    ASSERT_EQ(e.playList().size(), 45u);
    e.convertBack(r);
    EXPECT_EQ(r.PlayList[39], 9);
    EXPECT_EQ(r.playListTrack(40), 10);
}

TEST(PlayListEditing, DropsAndMoves)
{
    TDiscRecord r = disc(6);
    PlayListEditing e;
    e.fill(r);
    e.add({2, 0, 1}); // in track order whatever the selection order
    EXPECT_EQ(e.playList(), names({1, 2, 3}));
    e.dropTrack(5, 2);
    EXPECT_EQ(e.playList(), names({1, 2, 6, 3}));
    e.dropTrack(4, 99);
    EXPECT_EQ(e.playList(), names({1, 2, 6, 3, 5}));
    e.moveLine(0, 3);
    EXPECT_EQ(e.playList(), names({2, 6, 3, 1, 5}));
    EXPECT_FALSE(e.acceptsMove(1, 1));
    EXPECT_FALSE(e.acceptsMove(1, 5));
    e.remove({0, 4, 0});
    EXPECT_EQ(e.playList(), names({6, 3, 1}));
    e.removeAll();
    EXPECT_TRUE(e.playList().empty());
}

TEST(PlayListEditing, RenamedTrackShowsOnEveryLineAndTwinNamesPlayTheFirst)
{
    TDiscRecord r = disc(4);
    PlayListEditing e;
    e.fill(r);
    e.add({1});
    e.add({3});
    e.add({1});
    e.convertBack(r);
    r.setName(2, "Blue");
    e.fillTracks(r);
    e.fillPlayList(r);
    EXPECT_EQ(e.playList(), std::vector<std::string>({"Blue", "Untitled 4", "Blue"}));
    r.setName(4, "BLUE");
    e.fillTracks(r);
    e.fillPlayList(r);
    e.convertBack(r);
    EXPECT_EQ(r.PlayList[1], 1) << "a line named like two tracks plays the lower-numbered one";
}

TEST(NameEditing, StepsStoreTheTextAndStopAtTheEnds)
{
    std::array<std::string, 41> start;
    start[1] = "one";
    start[2] = "two";
    NameEditing n(start, 0, 2);
    EXPECT_EQ(n.label(), "Track 1 Name");
    n.Prev("first");
    EXPECT_EQ(n.index(), 0);
    EXPECT_EQ(n.names()[1], "first");
    n.Next(std::string(60, 'x'));
    EXPECT_EQ(n.names()[1], std::string(50, 'x'));
    EXPECT_EQ(n.label(), "Track 2 Name");
    EXPECT_EQ(n.text(), "two");
    n.Next("second");
    EXPECT_EQ(n.index(), 1);
    EXPECT_EQ(n.names()[2], "second");

    NameEditing discName(start, -1, 2);
    EXPECT_EQ(discName.label(), "CD Name");
    discName.Next("Album");
    EXPECT_EQ(discName.index(), -1);
    discName.OK("Album 2");
    EXPECT_EQ(discName.names()[0], "Album 2");
}
