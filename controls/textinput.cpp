// Windows-1252 guard for text fields.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "textinput.h"

#include "qansi.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

QValidator::State AnsiValidator::validate(QString& input, int&) const
{
    if (ansi::FromQString(input))
        return Acceptable;
    emit refused();
    return Invalid;
}

QString RefusedCharacterText()
{
    return QStringLiteral("Det tegn kan ikke gemmes. Brug et andet.");
}

void ShowInputNote(QWidget* field, const QString& text)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text, field);
}

void GuardAnsiInput(QLineEdit* edit)
{
    auto* v = new AnsiValidator(edit);
    edit->setValidator(v);
    QObject::connect(v, &AnsiValidator::refused, edit, [edit] { ShowInputNote(edit, RefusedCharacterText()); });
}

// ---- notes ----

QString NoteToEditor(std::string_view ansiCrlf)
{
    QString text = ansi::ToQString(ansiCrlf);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::optional<std::string> NoteFromEditor(const QString& text)
{
    QString t = text;
    // The document's own line ends; its plain text would also turn the
    // no-break space into a plain one, which the file can hold as it is.
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ansi::FromQString(t);
}

AnsiMemo::AnsiMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &AnsiMemo::onTextChanged);
    connect(this, &AnsiMemo::refused, this, [this] {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), RefusedCharacterText(), this);
    });
}

int AnsiMemo::Length() const
{
    return document()->characterCount() - 1;
}

void AnsiMemo::SetStoredText(std::string_view ansiCrlf)
{
    filling_ = true;
    accepted_ = NoteToEditor(ansiCrlf);
    setPlainText(accepted_);
    // A longer note from a file stays editable; it only may not grow.
    filledLength_ = Length();
    filling_ = false;
}

std::string AnsiMemo::StoredText() const
{
    return NoteFromEditor(document()->toRawText()).value_or(std::string());
}

int AnsiMemo::room() const
{
    const QTextCursor c = textCursor();
    return limit() - (Length() - (c.selectionEnd() - c.selectionStart()));
}

void AnsiMemo::refuse() const
{
    emit refused();
}

void AnsiMemo::keyPressEvent(QKeyEvent* e)
{
    const QString t = e->text();
    const bool newLine = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool typed = newLine || (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier));
    if (typed && !isReadOnly()) {
        if (!newLine && !ansi::FromQString(t)) {
            refuse();
            e->accept();
            return;
        }
        if (room() < (newLine ? 1 : int(t.size()))) {
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void AnsiMemo::inputMethodEvent(QInputMethodEvent* e)
{
    const QString commit = e->commitString();
    if (!commit.isEmpty() && (!ansi::FromQString(commit) || room() < int(commit.size()))) {
        if (!ansi::FromQString(commit))
            refuse();
        QInputMethodEvent kept(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&kept);
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void AnsiMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!ansi::FromQString(text)) {
        refuse();
        return;
    }
    // What fits, as a line field does with a long paste.
    const int fits = std::max(0, room());
    if (fits == 0)
        return;
    textCursor().insertText(text.left(fits));
    ensureCursorVisible();
}

void AnsiMemo::onTextChanged()
{
    if (filling_)
        return;
    // Whatever way text came in that the checks above did not see, it is
    // not kept if the file could not hold it.
    const std::optional<std::string> stored = NoteFromEditor(document()->toRawText());
    if (!stored || Length() > limit()) {
        const int at = std::min<int>(textCursor().position(), int(accepted_.size()));
        filling_ = true;
        setPlainText(accepted_);
        QTextCursor c = textCursor();
        c.setPosition(std::min(at, Length()));
        setTextCursor(c);
        filling_ = false;
        if (!stored)
            refuse();
        return;
    }
    accepted_ = NoteToEditor(*stored);
    emit edited();
}
