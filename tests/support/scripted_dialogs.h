// A dialog service for tests: records every message and answers from a script.
#pragma once

#include "dialogs.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

struct ScriptedDialogs final : DialogService {
    struct Shown {
        QString text, caption;
        Icon icon;
        QStringList buttons;   ///< the texts of a question's own buttons (Ask)
    };
    std::vector<Shown> messages;
    std::deque<QMessageBox::StandardButton> answers;   ///< empty: Ok
    std::deque<QString> files;                          ///< open and save dialogs; empty: cancelled
    std::vector<QString> suggested;                     ///< what save dialogs proposed
    std::function<bool(QPrinter&, int)> print;          ///< nullptr: cancelled

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
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                                    const ButtonTexts& buttons, QMessageBox::StandardButton defaultButton) override
    {
        const auto answer = DialogService::Ask(parent, text, caption, icon, buttons, defaultButton);
        for (const auto& b : buttons)
            messages.back().buttons << b.second;
        return answer;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString& proposed, const QString&) override
    {
        suggested.push_back(proposed);
        return next();
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
