// Text fields that refuse what the files cannot store.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

class QLineEdit;
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
