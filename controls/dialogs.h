// Message boxes and file dialogs go through one small service, so that tests
// can answer them without showing anything.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <utility>
#include <vector>

class QPrinter;
class QWidget;

class DialogService {
public:
    virtual ~DialogService() = default;

    enum class Icon { Information, Warning, Question };
    /// Shows \a text with \a caption; returns the button pressed
    /// (QMessageBox::Ok, Yes, No, Cancel, Retry, Ignore, ...).
    virtual QMessageBox::StandardButton Message(QWidget* parent, const QString& text, const QString& caption,
                                                Icon icon,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    /// A question whose buttons say what they do: each standard button (the
    /// answer returned) shows the text paired with it. Without a text of
    /// its own the service shows it as Message() would.
    using ButtonTexts = std::vector<std::pair<QMessageBox::StandardButton, QString>>;
    virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                                            const ButtonTexts& buttons, QMessageBox::StandardButton defaultButton)
    {
        QMessageBox::StandardButtons all;
        for (const auto& b : buttons)
            all |= b.first;
        return Message(parent, text, caption, icon, all, defaultButton);
    }
    /// A file to open; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    /// A file to save to; empty when cancelled. \a suggested is the proposed
    /// name (or path).
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& suggested, const QString& defaultSuffix) = 0;

    /// The print dialog for \a printer; false when cancelled. With
    /// \a pageCount > 0 it offers pages 1 to pageCount, all preselected; the
    /// printer's fromPage()/toPage() tell the choice (0: all).
    virtual bool PrintSetup(QWidget* parent, QPrinter& printer, int pageCount = 0) = 0;

    /// The exclamation-icon error box with caption "Fejl".
    void Fejl(QWidget* parent, const QString& text) { Message(parent, text, QStringLiteral("Fejl"), Icon::Warning); }
};

/// The real dialogs.
class QtDialogService final : public DialogService {
public:
    QMessageBox::StandardButton Message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                                    const ButtonTexts& buttons, QMessageBox::StandardButton defaultButton) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultSuffix) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& suggested,
                         const QString& defaultSuffix) override;
    bool PrintSetup(QWidget* parent, QPrinter& printer, int pageCount) override;
};

/// Converts the program's filter form ("\"Tinkeli\"-klasse|*.kla") to Qt's
/// ("\"Tinkeli\"-klasse (*.kla)").
QString QtFilter(const QString& pipeFilter);
