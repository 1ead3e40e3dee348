// Windows-1252 guard for text fields.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "textinput.h"

#include "qansi.h"

#include <QLineEdit>
#include <QToolTip>

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
