// The demo class: a complete, deterministic class for demos, screenshots,
// benchmarks and tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "democlass.h"

#include "ansi.h"
#include "farver.h"
#include "klasse.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

namespace {

// A small fixed pseudo-random sequence, so every run writes the same class.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : s_(seed) {}
    int roll(int n)
    {
        s_ = s_ * 1664525u + 1013904223u;
        return int((s_ >> 8) % std::uint32_t(n));
    }
    int between(int lo, int hi) { return lo + roll(hi - lo + 1); }

private:
    std::uint32_t s_;
};

std::string a(const char* utf8) { return ansi::FromUtf8(utf8).value(); }

struct Child {
    const char* nick;
    const char* surname;
    bool girl;
};

const Child kChildren[24] = {
    {"Ida", "Jensen", true},        {"Bjørn", "Nielsen", false},    {"Freja", "Sørensen", true},
    {"Emil", "Hansen", false},      {"Sofie", "Pedersen", true},    {"Mads", "Andersen", false},
    {"Lærke", "Christensen", true}, {"Søren", "Larsen", false},     {"Clara", "Rasmussen", true},
    {"Aksel", "Jørgensen", false},  {"Åse", "Petersen", true},      {"Frederik", "Madsen", false},
    {"Maja", "Kristensen", true},   {"Jonas", "Olsen", false},      {"Sigrid", "Thomsen", true},
    {"Oliver", "Møller", false},    {"Ellen", "Poulsen", true},     {"William", "Johansen", false},
    {"Karla", "Mortensen", true},   {"Noah", "Knudsen", false},     {"Mathilde", "Jakobsen", true},
    {"Bo", "Mikkelsen", false},     {"Anne-Sofie", "Lund", true},   {"Ægir", "Kjær", false},
};

const char* const kRelatives[][2] = {
    {"Mormor", "Grethe"}, {"Morfar", "Poul"}, {"Farmor", "Inger"}, {"Farfar", "Knud"},
    {"Mor", "Hanne"},     {"Far", "Jesper"},  {"Søster", "Liv"},   {"Bror", "Malthe"},
};

const char* const kAnswers[18][4] = {
    {"Fodbold", "Tegning", "Ridning", "Lego"},
    {"Dyrlæge", "Pilot", "Kok", "Astronaut"},
    {"Blå", "Grøn", "Lilla", "Rød"},
    {"7", "3", "12", "9"},
    {"Pizza", "Frikadeller", "Pasta", "Tacos"},
    {"Ida", "Emil", "Freja", "Bo"},
    {"Mor", "Farmor", "Messi", "Pippi"},
    {"Min cykel", "Bamse", "Min skateboard", "Min tablet"},
    {"Svømning", "Håndbold", "Gymnastik", "Fodbold"},
    {"Hunden Fido", "Katten Mis", "Kaninen Hop", "Guldfisken"},
    {"Popmusik", "Rap", "Klassisk", "Rock"},
    {"Frost", "Star Wars", "Toy Story", "Kaptajn Sabeltand"},
    {"Harry Potter", "Ternet Ninja", "Alfons Åberg", "Gummi-Tarzan"},
    {"Ramasjang", "Bamses Billedbog", "Naturens verden", "Sportsnyt"},
    {"Minecraft", "Mario Kart", "Roblox", "Fifa"},
    {"Da vi var i Legoland", "Min fødselsdag", "Sommerferien ved havet", "Da jeg lærte at svømme"},
    {"Da jeg brækkede armen", "Da hunden blev væk", "Da jeg var syg", "Et mareridt"},
    {"Jul", "Sommerferien", "Min fødselsdag", "At blive større"},
};

// A made-up "photo" of a relative: a soft background and a head and
// shoulders in the relative's own colours.
Pixels24 makePhoto(Dice& dice)
{
    QImage img(kPhotoWidth, kPhotoHeight, QImage::Format_RGB888);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor sky = QColor::fromHsv(dice.roll(360), 60 + dice.roll(60), 200 + dice.roll(55));
    QLinearGradient bg(0, 0, 0, kPhotoHeight);
    bg.setColorAt(0, sky.lighter(130));
    bg.setColorAt(1, sky.darker(120));
    p.fillRect(img.rect(), bg);
    const QColor shirt = QColor::fromHsv(dice.roll(360), 120 + dice.roll(100), 120 + dice.roll(100));
    p.setPen(Qt::NoPen);
    p.setBrush(shirt);
    p.drawEllipse(QRectF(20, 170, 140, 140));
    const Colour c = PartColour(Del::Ansigt, dice.roll(4), 10 + dice.roll(24));
    const QColor skin(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    p.setBrush(skin);
    p.drawEllipse(QRectF(50, 60, 80, 100));
    const QColor hairColour = QColor::fromHsv(20 + dice.roll(20), 80 + dice.roll(120), 40 + dice.roll(180));
    p.setBrush(hairColour);
    QPainterPath hair;
    hair.moveTo(46, 105);
    hair.cubicTo(40, 40, 140, 40, 134, 105);
    hair.cubicTo(120, 70, 60, 70, 46, 105);
    p.drawPath(hair);
    p.setBrush(QColor(40, 30, 20));
    p.drawEllipse(QRectF(70, 100, 8, 8));
    p.drawEllipse(QRectF(102, 100, 8, 8));
    p.setPen(QPen(QColor(150, 60, 60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(74, 115, 32, 24), 200 * 16, 140 * 16);
    p.end();

    Pixels24 px(kPhotoWidth, kPhotoHeight);
    for (int y = 0; y < kPhotoHeight; ++y) {
        const uchar* src = img.constScanLine(y);
        for (int x = 0; x < kPhotoWidth; ++x) {
            std::uint8_t* d = px.pixel(x, y);
            d[0] = src[3 * x + 2];   // blue, green, red
            d[1] = src[3 * x + 1];
            d[2] = src[3 * x];
        }
    }
    return px;
}

void makePortrait(tElev& e, int i, bool girl, Dice& dice)
{
    auto colour = [&](Del d, int gruppe, int slide) {
        e.SetFarveGruppe(d, gruppe);
        e.SetFarveSlide(d, slide);
        e.SetFarve(d, PartColour(d, gruppe, slide));
    };
    // Shapes walk through every range, so the class shows them all.
    e.SetType(Del::Ansigt, i % 8);
    colour(Del::Ansigt, dice.roll(4), 8 + dice.roll(26));
    e.SetType(Del::Haar, girl ? 11 + (i / 2) % 14 : 1 + (i / 2) % 10);
    e.SetSpejl(Del::Haar, dice.roll(3) == 0);
    colour(Del::Haar, dice.roll(4), 4 + dice.roll(30));
    e.SetType(Del::Oejne, 1 + i % 5);
    colour(Del::Oejne, dice.roll(4), 6 + dice.roll(24));
    e.SetVandret(Del::Oejne, (dice.roll(5) - 2) / 332.0);
    e.SetLodret(Del::Oejne, (dice.roll(5) - 2) / 332.0);
    e.SetVinkel(Del::Oejne, dice.roll(7) - 3);
    e.SetType(Del::Bryn, 1 + (i + 2) % 4);
    colour(Del::Bryn, e.Part(Del::Haar).FarveGruppe, std::max(0, e.Part(Del::Haar).FarveSlide - 6));
    e.SetLodret(Del::Bryn, (dice.roll(7) - 3) / 332.0);
    e.SetVinkel(Del::Bryn, dice.roll(11) - 5);
    e.SetType(Del::Mund, 1 + i % 8);
    colour(Del::Mund, dice.roll(4), 10 + dice.roll(20));
    e.SetZoom(Del::Mund, dice.roll(5) - 2);
    e.SetType(Del::Naese, 1 + (i + 1) % 4);
    e.SetZoom(Del::Naese, dice.roll(5) - 2);
    // Every fourth child wears glasses; the shapes take turns.
    if (i % 4 == 3) {
        e.SetType(Del::Briller, 1 + (i / 4) % 4);
        colour(Del::Briller, dice.roll(4), 4 + dice.roll(28));
    }
}

// Row 0 is the pupil's own generation (with siblings and cousins), 1 the
// parents, aunts and uncles, 2 the grandparents and 3 the great-grandparents.
// The shared dice rolls exactly as it always has (the rest of the class stays
// the same); the cousins, aunts and great-grandparents come from the pupil's
// own dice.
void makeTree(tElev& e, int pupil, Dice& dice, bool withPhotos)
{
    const std::string surname = e.FuldeNavn().substr(e.FuldeNavn().find(' ') + 1);
    auto add = [&](int row, double x, const char* erMin, const char* navn) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, std::uint8_t(row));
        e.SetGrenXpos(g, x);
        (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, a(navn));
        (void)e.SetGrenTekst(g, GrenTekst::ErMin, a(erMin));
        (void)e.SetGrenTekst(g, GrenTekst::FuldeNavn, a(navn) + " " + surname);
        return g;
    };
    const int self = e.AddGren(1);
    e.SetGrenRaekke(self, 0);
    e.SetGrenXpos(self, 0.5);
    (void)e.SetGrenTekst(self, GrenTekst::Bladnavn, e.Kaldenavn());
    (void)e.SetGrenTekst(self, GrenTekst::FuldeNavn, e.FuldeNavn());
    (void)e.SetGrenTekst(self, GrenTekst::ErMin, a("Mig selv"));
    const int count = 3 + dice.roll(5);
    const int first = dice.roll(8);
    const int rows[8] = {2, 2, 2, 2, 1, 1, 0, 0};
    const double xs[8] = {0.14, 0.34, 0.66, 0.86, 0.38, 0.62, 0.3, 0.7};
    for (int k = 0; k < count; ++k) {
        const int idx = (first + k) % 8;
        const int g = add(rows[idx], xs[idx], kRelatives[idx][0], kRelatives[idx][1]);
        if (idx < 4)
            (void)e.SetGrenTekst(g, GrenTekst::Notat, a("Bor i et hus med have.\r\nElsker at bage boller."));
        if (withPhotos && dice.roll(3) != 0)
            (void)e.SetGrenFoto(g, makePhoto(dice));
    }
    Dice own(1000u + std::uint32_t(pupil));
    if (pupil % 3 == 0) {
        const int g = add(3, 0.4, "Oldemor", "Karen");
        if (withPhotos)
            (void)e.SetGrenFoto(g, makePhoto(own));
        add(3, 0.6, "Oldefar", "Holger");
    }
    if (pupil % 4 == 1) {
        add(1, 0.14, "Moster", "Lone");
        add(0, 0.1, "Kusine", "Asta");
    }
    if (pupil % 4 == 2) {
        const int g = add(1, 0.86, "Farbror", "Rasmus");
        if (withPhotos)
            (void)e.SetGrenFoto(g, makePhoto(own));
        add(0, 0.9, "Fætter", "Villads");
    }
    e.AddGren(0);   // the fresh leaf waiting in the bottom strip
}

} // namespace

bool WriteDemoClass(const QString& dir, int pupils, std::string& path, std::string& error)
{
    if (!QDir().mkpath(dir)) {
        error = "cannot make the folder " + dir.toStdString();
        return false;
    }
    Dice dice(20240806u);
    tKlasse k;
    (void)k.SetSkole("Byskolen");
    (void)k.SetKlasse("4.a");
    (void)k.SetLaerer("Hansen");
    // Fifteen, the most a class offers.
    for (int n : {1, 3, 8, 9, 10, 12, 14, 17, 18, 21, 27, 29, 36, 38, 40})
        k.ToggleTilbudt(n);

    pupils = std::clamp(pupils, 0, 50);
    for (int i = 0; i < pupils; ++i) {
        const Child& c = kChildren[i % 24];
        // Past the 24 children the names come round again, numbered.
        const std::string nick = i < 24 ? a(c.nick) : a(c.nick) + " " + std::to_string(i / 24 + 1);
        k.SetElevKaldenavn(i, nick);
        tElev& e = *k.GetElev(i);
        k.SetElevFuldeNavn(i, nick + " " + a(c.surname));
        char date[16];
        std::snprintf(date, sizeof date, "%d-%d-2016", 1 + dice.roll(28), 1 + (i * 5) % 12);
        k.SetElevFoedselsdag(i, date);
        k.SetElevKoen(i, c.girl ? "pige" : "dreng");
        if (i == 5)
            k.SetElevElevkode(i, "kat");
        makePortrait(e, i, c.girl, dice);
        const int height = 128 + dice.roll(18);
        // What the measuring figure asks for: height, head, foot, wrist,
        // thumb, chest, hand, finger, leg, ankle, waist, weight (kg), hand
        // span, instep.
        const int values[14] = {height, 50 + dice.roll(5), 19 + dice.roll(5), 13 + dice.roll(3),
                                4 + dice.roll(3), 60 + dice.roll(12), 13 + dice.roll(3), 6 + dice.roll(3),
                                height * 47 / 100 + dice.roll(4), 18 + dice.roll(4), 55 + dice.roll(12),
                                25 + dice.roll(12), 14 + dice.roll(4), 19 + dice.roll(4)};
        // A few pupils have not measured everything yet.
        for (int m = 1; m <= 14; ++m)
            e.SetMaal(m, (i % 6 == 4 && m > 10) ? 0 : values[m - 1]);
        for (int pick = 0, want = 1 + dice.roll(4); pick < want; ++pick)
            e.SetHobby(k.TilbudtNr(1 + dice.roll(k.AntalTilbudt())), true);
        e.SetBagsideValg(1 + i % 10);
        for (int q = 0; q < 18; ++q)
            if (!(i % 7 == 6 && q > 12))
                (void)e.SetBogTekst(q + 1, a(kAnswers[q][dice.roll(4)]));
        makeTree(e, i, dice, i < 8);
    }

    k.SetFilNavnFraKlasse(k.Klasse());
    path = QDir(dir).filePath(QString::fromStdString(k.FilNavn()) + ".kla").toStdString();
    k.SetFilNavn(path);
    if (!k.SaveToFile(path)) {
        error = k.FejlTekst();
        return false;
    }
    return true;
}
