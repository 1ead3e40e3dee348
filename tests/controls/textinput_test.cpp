// The note field: what counts as the user's edit, what it refuses, how long
// it may grow.
#include "textinput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void typeChar(QWidget* w, QChar ch)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &release);
}

} // namespace

TEST(AnsiMemo, OnlyTheUsersChangesAreEdits)
{
    AnsiMemo memo;
    QSignalSpy edited(&memo, &AnsiMemo::edited);
    memo.SetStoredText("Linje 1\r\nLinje 2");
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(memo.toPlainText(), "Linje 1\nLinje 2");
    EXPECT_EQ(memo.StoredText(), "Linje 1\r\nLinje 2");

    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClick(&memo, Qt::Key_X);
    EXPECT_EQ(edited.count(), 2);
    EXPECT_EQ(memo.StoredText(), "Linje 1\r\nLinje 2\r\nx");
    // Undo is the user's too.
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edited.count(), 3);
    EXPECT_EQ(memo.StoredText(), "Linje 1\r\nLinje 2\r\n");
}

TEST(AnsiMemo, RefusesWhatWindows1252CannotHoldHoweverItComes)
{
    AnsiMemo memo;
    QSignalSpy refused(&memo, &AnsiMemo::refused);
    QSignalSpy edited(&memo, &AnsiMemo::edited);
    typeChar(&memo, QChar(0x20AC));   // the euro sign is there (0x80)
    typeChar(&memo, QChar(0x0142));   // a Polish l is not
    EXPECT_EQ(memo.StoredText(), "\x80");
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(edited.count(), 1);
    // A way in that the key and paste checks do not see: taken out again.
    memo.insertPlainText(QString::fromUtf8("Ωx"));
    EXPECT_EQ(memo.StoredText(), "\x80");
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("€"));
    EXPECT_EQ(refused.count(), 2);
    EXPECT_EQ(edited.count(), 1);
}

TEST(AnsiMemo, KeepsToItsLengthButALongerStoredNoteStaysWhole)
{
    AnsiMemo memo;
    memo.SetMaxLength(5);
    QTest::keyClicks(&memo, "abcdefg");
    EXPECT_EQ(memo.StoredText(), "abcde");
    QTest::keyClick(&memo, Qt::Key_Return);   // a line break counts one
    EXPECT_EQ(memo.Length(), 5);

    memo.SetStoredText("1234567");
    EXPECT_EQ(memo.StoredText(), "1234567");
    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    QTest::keyClick(&memo, Qt::Key_8);
    QTest::keyClick(&memo, Qt::Key_9);
    EXPECT_EQ(memo.StoredText(), "1234568");
}
