// The real message boxes and file dialogs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QStandardPaths>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

QString QtFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QString("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out.join(";;");
}

namespace {

// Classes live where the teacher keeps documents, not where the program
// happened to be started.
QString startFolder()
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(docs).exists() ? docs : QDir::homePath();
}

} // namespace

QMessageBox::StandardButton QtDialogService::Message(QWidget* parent, const QString& text, const QString& caption,
                                                     Icon icon, QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information
                    : icon == Icon::Question  ? QMessageBox::Question
                                              : QMessageBox::Warning,
                    caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // The buttons speak Danish whatever the desktop's language.
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Ok, "OK"},           {QMessageBox::Yes, "Ja"},     {QMessageBox::No, "Nej"},
        {QMessageBox::Cancel, "Annuller"}, {QMessageBox::Retry, "Prøv igen"},
        {QMessageBox::Discard, "Luk uden at gemme"}, {QMessageBox::Close, "Luk"},
    };
    for (const auto& [button, text] : names)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(text));
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton QtDialogService::Ask(QWidget* parent, const QString& text, const QString& caption,
                                                 Icon icon, const ButtonTexts& buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information
                    : icon == Icon::Question  ? QMessageBox::Question
                                              : QMessageBox::Warning,
                    caption, text, QMessageBox::NoButton, parent);
    for (const auto& [button, label] : buttons)
        box.addButton(button)->setText(label);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString QtDialogService::OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& defaultSuffix)
{
    QFileDialog d(parent, title, startFolder(), QtFilter(filter));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(QString(defaultSuffix).remove("*.").remove('.'));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

QString QtDialogService::SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& suggested, const QString& defaultSuffix)
{
    QFileDialog d(parent, title, QFileInfo(suggested).isAbsolute() ? QString() : startFolder(), QtFilter(filter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, false);
    d.setDefaultSuffix(QString(defaultSuffix).remove("*.").remove('.'));
    d.selectFile(suggested);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

bool QtDialogService::PrintSetup(QWidget* parent, QPrinter& printer, int pageCount)
{
    QPrintDialog d(&printer, parent);
    d.setOption(QAbstractPrintDialog::PrintToFile, true);
    d.setOption(QAbstractPrintDialog::PrintPageRange, pageCount > 0);
    if (pageCount > 0) {
        d.setMinMax(1, pageCount);
        printer.setFromTo(0, 0);
        printer.setPrintRange(QPrinter::AllPages);
    }
    if (d.exec() != QDialog::Accepted)
        return false;
    if (printer.printRange() == QPrinter::AllPages)
        printer.setFromTo(0, 0);
    return true;
}
