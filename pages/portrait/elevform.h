// TElevForm, page 3: the front page of a pupil's book, with the portrait and
// the buttons to every other page of the book.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QLabel>

class TElevForm : public Page {
    Q_OBJECT
public:
    TElevForm(PageHost& host, QWidget* parent);

    void EnableButtons();
    void DisableButtons();
    /// Class mode shows BackSpeed (back to the class); single-pupil mode
    /// shows StopSpeed (close the book) instead.
    void SetClassMode(bool classMode);
    bool ClassMode() const { return classMode_; }

    // Components, by their names in the program.
    SidePanel* Panel2;
    SidePanel* Panel1;
    SpeedButton* BackSpeed;
    SpeedButton* StopSpeed;
    SpeedButton* DataSpeed;
    SpeedButton* WriteSpeed;
    SpeedButton* HobbySpeed;
    SpeedButton* TreeSpeed;
    SpeedButton* FaceSpeed;
    SpeedButton* HairSpeed;
    SpeedButton* BrowSpeed;
    SpeedButton* EyeSpeed;
    SpeedButton* NoseSpeed;
    SpeedButton* MouthSpeed;
    SpeedButton* GlassSpeed;
    PaintBox* ElevPaintBox;
    QWidget* ElevPanel;
    QLabel* ElevTopPanel;
    QLabel* OplysPanel1;
    QLabel* OplysPanel2;

    /// The student page prints its paint box: the face and the name box.
    QRect PrintArea() const override { return ElevPaintBox->geometry(); }

protected:
    void layoutPage() override;
    void pageShown() override;

private:
    void ElevPaintBoxPaint();
    QList<SpeedButton*> contentButtons() const;
    bool classMode_ = true;
};
