#include <gtest/gtest.h>

#include "platform/BusRecord.h"
#include "platform/MessageNames.h"

using platform::BusMessage;
namespace record = platform::bus_record;
namespace names = platform::message_names;

namespace {

BusMessage CopyData(std::string data) {
    BusMessage m;
    m.kind = BusMessage::Kind::CopyData;
    m.message = platform::kCopyDataMessage;
    m.tag = 0xA1B2C3D4;
    m.wParam = 0x1122334455667788ull;
    m.lParam = -2;
    m.deadlineMs = 0x0102030405060708ull;
    m.data = std::move(data);
    return m;
}

TEST(BusRecord, RoundTripsBothKinds) {
    BusMessage posted;
    posted.message = 0xC123;
    posted.wParam = ~0ull;
    posted.lParam = -1;
    auto back = record::Decode(record::Encode(posted), nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, BusMessage::Kind::Posted);
    EXPECT_EQ(back->message, 0xC123u);
    EXPECT_EQ(back->wParam, ~0ull);
    EXPECT_EQ(back->lParam, -1);
    EXPECT_TRUE(back->data.empty());

    std::string bytes(platform::kMaxCopyDataBytes, '\0');
    bytes[12345] = 'z';
    back = record::Decode(record::Encode(CopyData(bytes)), nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tag, 0xA1B2C3D4u);
    EXPECT_EQ(back->wParam, 0x1122334455667788ull);
    EXPECT_EQ(back->deadlineMs, 0x0102030405060708ull);
    EXPECT_EQ(back->data, bytes);
}

TEST(BusRecord, EveryTruncationAndEveryExtensionIsRejected) {
    std::string wire = record::Encode(CopyData("abcdef"));
    for (size_t n = 0; n < wire.size(); ++n)
        EXPECT_FALSE(record::Decode(wire.substr(0, n), nullptr)) << n;
    EXPECT_FALSE(record::Decode(wire + "x", nullptr));
}

TEST(BusRecord, InconsistentHeadersAreRejectedWithAReason) {
    std::string why;
    std::string wire = record::Encode(CopyData(""));
    std::string longData = wire;
    longData[32] = '\x01';
    longData[34] = '\x01';  // claims 65 537 bytes
    EXPECT_FALSE(record::Decode(longData + std::string(65537, 'a'), &why));
    EXPECT_EQ(why, "larger than the record limit");

    std::string badKind = wire;
    badKind[6] = 9;
    EXPECT_FALSE(record::Decode(badKind, &why));
    EXPECT_EQ(why, "unknown record kind");

    std::string postedWithData = record::Encode(CopyData("ab"));
    postedWithData[6] = 1;
    EXPECT_FALSE(record::Decode(postedWithData, &why));

    std::string copyDataOtherMessage = wire;
    copyDataOtherMessage[8] = 0x4B;
    EXPECT_FALSE(record::Decode(copyDataOtherMessage, &why));

    std::string reserved = wire;
    reserved[39] = 1;
    EXPECT_FALSE(record::Decode(reserved, &why));

    BusMessage posted;
    posted.message = 0xC001;
    std::string postedWithDeadline = record::Encode(posted);
    postedWithDeadline[40] = 1;
    EXPECT_FALSE(record::Decode(postedWithDeadline, &why));
    EXPECT_EQ(why, "posted record with a deadline");
}

TEST(MessageNameTable, KeepsNumbersPastDamagedLinesAndNeverReusesThem) {
    names::Table table;
    int skipped = table.Parse(
        "c000\tDraxmoor T418-ZEN\n"
        "zz\tbroken\n"
        "c002\tGame_Start\n"
        "c003\tgame_start\n"  // the same name again
        "c000\tOther\n"       // the same number again
        "1234\tLow\n"         // outside the registered range
        "c005\n"
        "c004\tGame_End");  // last line without a line end is still whole
    EXPECT_EQ(skipped, 5);
    EXPECT_EQ(table.Find("DRAXMOOR t418-zen"), 0xC000u);
    EXPECT_EQ(table.Find("Game_Start"), 0xC002u);
    EXPECT_EQ(table.Find("Game_End"), 0xC004u);
    EXPECT_EQ(table.Find("broken"), 0u);
    // "c005" was on a damaged line: running processes may know it, so it is not given again.
    EXPECT_EQ(table.Add("Game_Kill"), 0xC006u);
    EXPECT_EQ(table.Add("game_kill"), 0xC006u);

    names::Table reread;
    EXPECT_EQ(reread.Parse(table.Serialise()), 0);
    EXPECT_EQ(reread.Find("Game_Kill"), 0xC006u);
    EXPECT_EQ(reread.Size(), 4u);
}

TEST(MessageNameTable, ANumberSeenOnlyOnADamagedLineIsNeverHandedOutAgain) {
    names::Table table;
    EXPECT_EQ(table.Parse("c000\tA\nc001\tB\nc002\tbad\x01name\n"), 1);
    // Written back, the damaged line is gone but what it held is remembered.
    names::Table reread;
    EXPECT_EQ(reread.Parse(table.Serialise()), 0);
    EXPECT_EQ(reread.Size(), 2u);
    EXPECT_EQ(reread.Add("C"), 0xC003u);
    // Once the number above is taken the remembered mark is no longer needed, nor written.
    EXPECT_EQ(reread.Serialise(), "c000\tA\nc001\tB\nc003\tC\n");

    // The last number of the range, seen on a damaged line, leaves the table full.
    EXPECT_EQ(table.Parse("c000\tA\nffff\t\n"), 1);
    EXPECT_EQ(reread.Parse(table.Serialise()), 0);
    EXPECT_EQ(reread.Add("C"), 0u);
    // A damaged mark counts as a damaged line and hides no valid name.
    EXPECT_EQ(reread.Parse("next\tzz\nc000\tA\n"), 1);
    EXPECT_EQ(reread.Add("B"), 0xC001u);
}

TEST(MessageNameTable, RejectsUnusableNamesAndAFullTable) {
    names::Table table;
    EXPECT_EQ(table.Add(""), 0u);
    EXPECT_EQ(table.Add("tab\tname"), 0u);
    EXPECT_EQ(table.Add(std::string(256, 'n')), 0u);
    EXPECT_NE(table.Add(std::string(255, 'n')), 0u);
    EXPECT_EQ(table.Parse("ffff\tLast\n"), 0);
    EXPECT_EQ(table.Add("One more"), 0u);
}

}  // namespace
