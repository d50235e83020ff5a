#include <gtest/gtest.h>

#include "ui/controls/TextEditModel.h"

namespace {

struct FakeClipboard : ui::ClipboardAccess {
    std::string text;
    std::string GetText() override { return text; }
    void SetText(const std::string& t) override { text = t; }
};

TEST(TextEditModel, CaretMovesByWholeCharactersInUtf8) {
    ui::TextEditModel m;
    m.SetText("a\xC3\xA9\xE4\xB8\xAD");  // a, e-acute, a CJK character
    EXPECT_EQ(m.CharCount(), 3u);
    EXPECT_EQ(m.Caret(), 6u);
    m.MoveCaret(ui::CaretMove::CharLeft, false);
    EXPECT_EQ(m.Caret(), 3u);
    m.MoveCaret(ui::CaretMove::CharLeft, true);
    EXPECT_EQ(m.SelectedText(), "\xC3\xA9");
    EXPECT_TRUE(m.Backspace());
    EXPECT_EQ(m.Text(), "a\xE4\xB8\xAD");
    // An offset inside a character snaps back to its start.
    m.SetCaret(2, false);
    EXPECT_EQ(m.Caret(), 1u);
    EXPECT_TRUE(m.DeleteForward());
    EXPECT_EQ(m.Text(), "a");
}

TEST(TextEditModel, InsertDropsInvalidUtf8AndLineBreaks) {
    ui::TextEditModel m;
    EXPECT_TRUE(
        m.Insert("ab\n\xFF\xC0\xAF"
                 "c\td\xED\xA0\x80"));
    EXPECT_EQ(m.Text(), "abc d");
}

TEST(TextEditModel, WordMovesAndWordDeletion) {
    ui::TextEditModel m;
    m.SetText("hello, big world");
    m.MoveCaret(ui::CaretMove::WordLeft, false);
    EXPECT_EQ(m.Caret(), 11u);
    m.MoveCaret(ui::CaretMove::WordLeft, false);
    EXPECT_EQ(m.Caret(), 7u);
    m.MoveCaret(ui::CaretMove::WordRight, false);
    EXPECT_EQ(m.Caret(), 11u);
    m.MoveCaret(ui::CaretMove::End, false);
    EXPECT_TRUE(m.DeleteWordBack());
    EXPECT_EQ(m.Text(), "hello, big ");
    m.SelectWordAt(1);
    EXPECT_EQ(m.SelectedText(), "hello");
}

TEST(TextEditModel, ArrowWithoutShiftCollapsesSelection) {
    ui::TextEditModel m;
    m.SetText("abcdef");
    m.SetSelection(1, 4);
    m.MoveCaret(ui::CaretMove::CharLeft, false);
    EXPECT_EQ(m.Caret(), 1u);
    EXPECT_FALSE(m.HasSelection());
    m.SetSelection(4, 1);
    m.MoveCaret(ui::CaretMove::CharRight, false);
    EXPECT_EQ(m.Caret(), 4u);
}

TEST(TextEditModel, DigitsOnlyRefusesOtherCharactersWithoutLosingSelection) {
    ui::TextEditModel m;
    m.SetDigitsOnly(true);
    m.SetText("12a3");
    EXPECT_EQ(m.Text(), "123");
    m.SelectAll();
    EXPECT_FALSE(m.Insert("x"));
    EXPECT_EQ(m.Text(), "123");
    EXPECT_TRUE(m.HasSelection());
    EXPECT_TRUE(m.Insert("4-5"));
    EXPECT_EQ(m.Text(), "45");
}

TEST(TextEditModel, MaximumLengthCountsCharactersAndCutsInserts) {
    ui::TextEditModel m;
    m.SetMaxChars(3);
    m.SetText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(m.CharCount(), 3u);
    EXPECT_FALSE(m.Insert("x"));
    m.SetSelection(0, 2);  // one character selected: room for exactly one
    EXPECT_TRUE(m.Insert("xyz"));
    EXPECT_EQ(m.Text(), "x\xC3\xA9\xC3\xA9");
    EXPECT_EQ(m.Caret(), 1u);
    m.SetMaxChars(1);
    EXPECT_EQ(m.Text(), "x");
}

TEST(TextEditModel, ClipboardCutCopyPaste) {
    ui::TextEditModel m;
    FakeClipboard clip;
    m.SetText("copy me");
    m.Copy(clip);
    EXPECT_EQ(clip.text, "");  // nothing selected, clipboard untouched
    m.SetSelection(0, 4);
    EXPECT_TRUE(m.Cut(clip));
    EXPECT_EQ(clip.text, "copy");
    EXPECT_EQ(m.Text(), " me");
    m.MoveCaret(ui::CaretMove::End, false);
    EXPECT_TRUE(m.Paste(clip));
    EXPECT_EQ(m.Text(), " mecopy");
    m.SetDigitsOnly(true);
    clip.text = "line1\nline2";
    EXPECT_TRUE(m.Paste(clip));
    EXPECT_EQ(m.Text(), " mecopy12");
}

TEST(TextEditModel, NumberLimitsClampOnlyNumbers) {
    ui::TextEditModel m;
    m.SetNumberLimits(200, 6500);
    m.SetText("99999999999999999999999");
    EXPECT_TRUE(m.ApplyNumberLimits());
    EXPECT_EQ(m.Text(), "6500");
    m.SetText("12");
    EXPECT_TRUE(m.ApplyNumberLimits());
    EXPECT_EQ(m.Text(), "200");
    m.SetText("400");
    EXPECT_FALSE(m.ApplyNumberLimits());
    m.SetText("");
    EXPECT_FALSE(m.ApplyNumberLimits());
    EXPECT_EQ(m.Text(), "");
    m.SetText("abc");
    EXPECT_FALSE(m.ApplyNumberLimits());
}

}  // namespace
