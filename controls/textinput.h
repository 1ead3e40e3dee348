// Text fields that refuse what the files cannot store.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QValidator>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMimeData;
class QWidget;

/// Accepts only text that Windows-1252 can hold, so nothing is changed when
/// it is saved. A refused keystroke shows a short note by the field.
class AnsiValidator : public QValidator {
    Q_OBJECT
public:
    explicit AnsiValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;

signals:
    void refused() const;
};

/// The note shown when a character is refused.
QString RefusedCharacterText();

/// Shows \a text as the short note just below \a field, where the refused
/// characters are explained too.
void ShowInputNote(QWidget* field, const QString& text);

/// Puts an AnsiValidator on \a edit, with the note shown by the field.
void GuardAnsiInput(QLineEdit* edit);

/// A note of several lines that the files store as Windows-1252 with CRLF
/// line breaks. It refuses what Windows-1252 cannot hold (typed, pasted,
/// dropped or composed) with the same note as the line fields, and takes no
/// more than MaxLength() characters.
class AnsiMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit AnsiMemo(QWidget* parent = nullptr);

    /// Characters, a line break counting one.
    void SetMaxLength(int n) { maxLength_ = n; }
    int MaxLength() const { return maxLength_; }
    int Length() const;

    /// Shows a stored text (Windows-1252, CRLF) without reporting an edit.
    void SetStoredText(std::string_view ansiCrlf);
    /// The text as the files store it.
    std::string StoredText() const;

signals:
    /// The user changed the text (typing, pasting, undo), not SetStoredText.
    void edited();
    void refused() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    /// Room left for an insertion that replaces the selection.
    int room() const;
    int limit() const { return std::max(maxLength_, filledLength_); }
    void refuse() const;
    void onTextChanged();

    int maxLength_ = 32767;
    int filledLength_ = 0;
    bool filling_ = false;
    QString accepted_;   // the text as last accepted, to go back to
};

/// A stored note (CRLF, or lone CR or LF) as the editor shows it (LF).
QString NoteToEditor(std::string_view ansiCrlf);
/// The editor's text (LF, or Qt's paragraph separators) as the files store
/// it: Windows-1252 with CRLF; nothing when a character cannot be stored.
std::optional<std::string> NoteFromEditor(const QString& text);
