// A dialog service for tests: records every message and answers from a script.
#pragma once

#include "dialogs.h"

#include <QPrinter>
#include <QStringList>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

struct ScriptedDialogs final : DialogService {
    struct Shown {
        QString text, caption;
        Icon icon;
        QStringList buttons;   ///< the texts of a question's own buttons (Choose)
    };
    std::vector<Shown> messages;
    std::deque<QMessageBox::StandardButton> answers;   ///< empty: Ok
    std::deque<int> choices;                            ///< Choose: the button index
    std::deque<QString> files;                          ///< open and save dialogs; empty: cancelled
    std::vector<QString> suggested;                     ///< what save dialogs proposed
    std::vector<QStringList> chooseButtons;             ///< the buttons of each Choose
    std::vector<std::pair<int, int>> chooseKeys;        ///< each Choose's default and Esc buttons
    std::function<bool(QPrinter&, int)> print;          ///< nullptr: cancelled
    std::function<void()> onSaveDialog;                 ///< called as a save dialog opens

    QMessageBox::StandardButton Message(QWidget*, const QString& text, const QString& caption, Icon icon,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        messages.push_back({text, caption, icon, {}});
        if (answers.empty())
            return QMessageBox::Ok;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    int Choose(QWidget*, const QString& text, const QString& caption, Icon icon, const QStringList& buttons,
               int defaultButton, int escapeButton) override
    {
        messages.push_back({text, caption, icon, buttons});
        chooseButtons.push_back(buttons);
        chooseKeys.emplace_back(defaultButton, escapeButton);
        if (choices.empty()) {
            // A question nobody scripted fails the test, and the first
            // button ends whatever loop asked it.
            ADD_FAILURE() << "unscripted question: " << text.toStdString();
            return 0;
        }
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString& proposed, const QString&) override
    {
        suggested.push_back(proposed);
        if (onSaveDialog)
            onSaveDialog();
        return next();
    }
    /// Save dialogs with several file types: the filters offered, and the
    /// type each answer chose (empty: the one its extension names).
    std::vector<QString> saveFilters;
    std::deque<int> fileTypes;
    QString SaveFileNameOfType(QWidget* parent, const QString& title, const QString& filter,
                               const QString& proposed, int* type) override
    {
        saveFilters.push_back(filter);
        const QString f = DialogService::SaveFileNameOfType(parent, title, filter, proposed, type);
        if (!fileTypes.empty()) {
            *type = fileTypes.front();
            fileTypes.pop_front();
        }
        return f;
    }
    bool PrintSetup(QWidget*, QPrinter& printer, int pageCount) override
    {
        return print && print(printer, pageCount);
    }

private:
    QString next()
    {
        if (files.empty())
            return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }
};
