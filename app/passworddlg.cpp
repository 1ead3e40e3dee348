// The code dialog.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "passworddlg.h"

#include "dialogs.h"
#include "glyphs.h"
#include "page.h"
#include "qansi.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TPasswordDlg::TPasswordDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Skriv din kode for at få adgang"));
    setFixedSize(302, 158);
    // Widened to show its whole caption; the controls stay in the middle.
    const int dx = SetDialogFrame(this) / 2;
    KodeLabel = new QLabel(QStringLiteral("Kode:"), this);
    KodeLabel->setGeometry(20 + dx, 16, 90, 40);
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(32);
    KodeLabel->setFont(big);
    MaskEdit = new QLineEdit(this);
    MaskEdit->setGeometry(112 + dx, 12, 173, 45);
    MaskEdit->setFont(big);
    OkSpeed = new SpeedButton("ok", QStringLiteral("OK"), this);
    OkSpeed->place(QRect(112 + dx, 72, 77, 77));
    CancelSpeed = new SpeedButton("cancel", QStringLiteral("Fortryd"), this);
    CancelSpeed->place(QRect(208 + dx, 72, 77, 77));
    auto smiley = [this, dx](const char* glyph) {
        auto* l = new QLabel(this);
        l->setGeometry(24 + dx, 80, 57, 57);
        l->setPixmap(Glyph(glyph).pixmap(57, 57));
        l->hide();
        return l;
    };
    GladSmiley = smiley("smiley-glad");
    NeutralSmiley = smiley("smiley-neutral");
    SurSmiley = smiley("smiley-sour");
    connect(MaskEdit, &QLineEdit::textChanged, this, &TPasswordDlg::MaskEditChange);
    connect(OkSpeed, &QToolButton::clicked, this, [this] { done(1); });
    connect(CancelSpeed, &QToolButton::clicked, this, [this] { done(2); });
}

void TPasswordDlg::Prepare(const std::string& ansiCode)
{
    code_ = ansiCode;
    OkSpeed->setEnabled(false);
    NeutralSmiley->show();
    GladSmiley->hide();
    SurSmiley->hide();
    // One required character per code character, "•" where none is typed yet.
    const QString codeText = ansi::ToQString(code_);
    MaskEdit->setInputMask(codeText.isEmpty() ? QString() : QString(codeText.size(), 'X') + QStringLiteral(";•"));
    MaskEdit->clear();
    MaskEdit->setFocus();
    MaskEditChange();
}

int TPasswordDlg::Answer(int dialogResult) const
{
    return dialogResult == 1 && Typed() == code_ ? 1 : 2;
}

int TPasswordDlg::AskCode(const std::string& ansiCode)
{
    Prepare(ansiCode);
    return Answer(exec());
}

std::string TPasswordDlg::Typed() const
{
    return ansi::FromQString(MaskEdit->text()).value_or(std::string());
}

void TPasswordDlg::MaskEditChange()
{
    const std::string typed = Typed();
    const bool right = !code_.empty() && typed == code_;
    const bool fullLength = MaskEdit->text().size() == ansi::ToQString(code_).size();
    OkSpeed->setEnabled(right);
    GladSmiley->setVisible(right);
    NeutralSmiley->setVisible(!right && !fullLength);
    SurSmiley->setVisible(!right && fullLength);
}

void TPasswordDlg::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (OkSpeed->isEnabled())
            done(1);
        return;   // Enter never closes the dialog otherwise
    }
    if (e->key() == Qt::Key_Escape) {
        done(2);
        return;
    }
    QDialog::keyPressEvent(e);
}
