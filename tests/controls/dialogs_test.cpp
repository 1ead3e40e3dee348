// The real file dialogs: where they start and what they remember.
#include "../support/tempdir.h"
#include "dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct FileDialogs : ::testing::Test {
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings.path()));
        std::filesystem::create_directories(dir.file("klasse"));
        std::filesystem::create_directories(dir.file("andet"));
        WriteAll(dir.file("klasse/4a.kla"), {0});
        WriteAll(dir.file("andet/5b.kla"), {0});
    }

    // Runs \a dialog; while it is open, notes the folder it shows and
    // chooses \a choose there (empty: cancels).
    QString run(const std::function<QString()>& dialog, const QString& choose)
    {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            shown = d->directory().absolutePath();
            if (choose.isEmpty()) {
                d->reject();
                return;
            }
            d->selectFile(choose);
            static_cast<QDialog*>(d)->accept();
        });
        return dialog();
    }

    QString q(const std::string& s) { return QString::fromStdString(s); }

    TempDir dir, settings;
    QtDialogService dialogs;
    QString shown;
};

} // namespace

TEST_F(FileDialogs, OpenAndSaveStartInTheClassFolderElseWhereTheUserWasLast)
{
    auto open = [this] { return dialogs.OpenFileName(nullptr, "Åbn klasse", "\"Tinkeli\"-klasse|*.kla", "*.kla"); };
    dialogs.SetClassFolder([this] { return q(dir.file("klasse")); });
    EXPECT_EQ(run(open, q(dir.file("andet/5b.kla"))), q(dir.file("andet/5b.kla")));
    EXPECT_EQ(shown, q(dir.file("klasse")));
    // The folder chosen is kept, also for the next run of the program.
    EXPECT_EQ(DialogService::LastFolder(), q(dir.file("andet")));
    // With no class open, the next dialog starts there.
    dialogs.SetClassFolder([] { return QString(); });
    EXPECT_TRUE(run(open, {}).isEmpty());
    EXPECT_EQ(shown, q(dir.file("andet")));
    // A cancelled dialog remembers nothing.
    EXPECT_EQ(DialogService::LastFolder(), q(dir.file("andet")));

    // Saving: a bare name is offered in the start folder, a path in its own.
    auto save = [this](const QString& suggested) {
        return [this, suggested] {
            return dialogs.SaveFileName(nullptr, "Gem klassen som", "\"Tinkeli\"-klasse|*.kla", suggested, "*.kla");
        };
    };
    dialogs.SetClassFolder([this] { return q(dir.file("klasse")); });
    EXPECT_EQ(run(save("6c.kla"), q(dir.file("klasse/6c.kla"))), q(dir.file("klasse/6c.kla")));
    EXPECT_EQ(shown, q(dir.file("klasse")));
    EXPECT_EQ(DialogService::LastFolder(), q(dir.file("klasse")));
    EXPECT_TRUE(run(save(q(dir.file("andet/7d.kla"))), {}).isEmpty());
    EXPECT_EQ(shown, q(dir.file("andet")));
}
