// The real message boxes and file dialogs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLineEdit>
#include <QSettings>
#include <QSpacerItem>
#include <QFileInfo>
#include <QFileDialog>
#include <QStandardPaths>
#include <QPrintDialog>
#include <QPushButton>
#include <QPrinter>
#include <QStringList>

#include <cstdio>

QString QtFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QString("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out.join(";;");
}

void SilentDialogs::echo(const QString& text) const
{
    if (echoPrefix_)
        std::fprintf(stderr, "%s%s\n", echoPrefix_, qPrintable(text));
}

QMessageBox::StandardButton SilentDialogs::Message(QWidget*, const QString& text, const QString&, Icon,
                                                   QMessageBox::StandardButtons, QMessageBox::StandardButton)
{
    echo(text);
    return QMessageBox::Cancel;
}

int SilentDialogs::Choose(QWidget*, const QString& text, const QString&, Icon, const QStringList&, int,
                          int escapeButton)
{
    echo(text);
    return escapeButton;
}

QString SafeFileName(const QString& name)
{
    QString out = name;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    return out;
}

QStringList FilterSuffixes(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 1; i < parts.size(); i += 2)
        out << parts[i].section(';', 0, 0).trimmed().remove(QStringLiteral("*.")).remove('.');
    return out;
}

QString DialogService::SaveFileNameOfType(QWidget* parent, const QString& title, const QString& filter,
                                          const QString& suggested, int* type)
{
    const QStringList suffixes = FilterSuffixes(filter);
    const QString file = SaveFileName(parent, title, filter, suggested, suffixes.value(0));
    if (type)
        *type = std::max(0, int(suffixes.indexOf(QFileInfo(file).suffix().toLower())));
    return file;
}

namespace {

const char* const kLastFolderKey = "dialogs/lastFolder";

// The program's own settings, whatever names the running program was given.
QSettings settings()
{
    return QSettings(QStringLiteral("Tinkeli"), QStringLiteral("Tinkeli"));
}

} // namespace

QString DialogService::StartFolder() const
{
    if (classFolder_) {
        const QString folder = classFolder_();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    const QString last = LastFolder();
    if (!last.isEmpty())
        return last;
    // Classes live where the teacher keeps documents, not where the program
    // happened to be started.
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(docs).exists() ? docs : QDir::homePath();
}

void DialogService::RememberFolder(const QString& chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    settings().setValue(QLatin1String(kLastFolderKey), QFileInfo(chosenFile).absolutePath());
}

QString DialogService::LastFolder()
{
    const QString folder = settings().value(QLatin1String(kLastFolderKey)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

int CaptionWidth(const QString& caption)
{
    // The window manager draws the title in its own font, commonly the
    // desktop's in bold, and puts an icon and up to three buttons beside it.
    QFont f = QApplication::font("QMdiSubWindowTitleBar");
    f.setBold(true);
    constexpr int kIconAndButtons = 4 * 24;
    constexpr int kPadding = 32;
    return QFontMetrics(f).horizontalAdvance(caption) + kIconAndButtons + kPadding;
}

int SetDialogFrame(QDialog* d)
{
    d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint);
    const int need = CaptionWidth(d->windowTitle());
    const int wider = std::max(0, need - std::max(d->width(), d->minimumWidth()));
    if (wider == 0)
        return 0;
    if (d->minimumWidth() == d->maximumWidth())
        d->setFixedWidth(d->width() + wider);
    else
        d->setMinimumWidth(need);
    return wider;
}

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
    // A message box sizes itself to its text; the caption must show whole too.
    SetDialogFrame(&box);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(CaptionWidth(caption), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
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

int QtDialogService::Choose(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                            const QStringList& buttons, int defaultButton, int escapeButton)
{
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information
                    : icon == Icon::Question  ? QMessageBox::Question
                                              : QMessageBox::Warning,
                    caption, text, QMessageBox::NoButton, parent);
    // One role for all, so the buttons stand in the order given whatever the
    // desktop's habit.
    QList<QPushButton*> added;
    for (const QString& b : buttons)
        added.push_back(box.addButton(b, QMessageBox::ActionRole));
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(added[defaultButton]);
    if (escapeButton >= 0 && escapeButton < added.size())
        box.setEscapeButton(added[escapeButton]);
    box.exec();
    const int pressed = int(added.indexOf(static_cast<QPushButton*>(box.clickedButton())));
    return pressed >= 0 ? pressed : escapeButton;
}

QString QtDialogService::OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& defaultSuffix)
{
    QFileDialog d(parent, title, StartFolder(), QtFilter(filter));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(QString(defaultSuffix).remove("*.").remove('.'));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    RememberFolder(d.selectedFiles().first());
    return d.selectedFiles().first();
}

QString QtDialogService::SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& suggested, const QString& defaultSuffix)
{
    // A bare name is offered in the start folder; a path where it points.
    const bool path = QFileInfo(suggested).isAbsolute();
    QFileDialog d(parent, title, path ? QFileInfo(suggested).absolutePath() : StartFolder(), QtFilter(filter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, false);
    d.setDefaultSuffix(QString(defaultSuffix).remove("*.").remove('.'));
    d.selectFile(path ? QFileInfo(suggested).fileName() : suggested);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    RememberFolder(d.selectedFiles().first());
    return d.selectedFiles().first();
}

QString QtDialogService::SaveFileNameOfType(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& suggested, int* type)
{
    const bool path = QFileInfo(suggested).isAbsolute();
    const QStringList filters = QtFilter(filter).split(QStringLiteral(";;"));
    const QStringList suffixes = FilterSuffixes(filter);
    QFileDialog d(parent, title, path ? QFileInfo(suggested).absolutePath() : StartFolder(), QtFilter(filter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, false);
    d.setDefaultSuffix(suffixes.value(0));
    d.selectFile(path ? QFileInfo(suggested).fileName() : suggested);
    // Another type chosen: the name typed so far takes that type's extension,
    // as long as it has one of the offered ones.
    QObject::connect(&d, &QFileDialog::filterSelected, &d, [&](const QString& chosen) {
        const QString suffix = suffixes.value(int(filters.indexOf(chosen)));
        if (suffix.isEmpty())
            return;
        d.setDefaultSuffix(suffix);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return;
        const QFileInfo typed(name->text());
        if (suffixes.contains(typed.suffix().toLower()))
            name->setText(typed.completeBaseName() + '.' + suffix);
    });
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    if (type)
        *type = std::max(0, int(filters.indexOf(d.selectedNameFilter())));
    RememberFolder(d.selectedFiles().first());
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
