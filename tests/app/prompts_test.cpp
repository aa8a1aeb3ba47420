// The save dialog hands back the name that is really written, and the question about replacing a
// file is asked for that name.
#include "services/prompts.h"

#include "scoped_scripted_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(SaveDialog, ANameTypedWithoutSuffixComesBackWithIt)
{
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("song.mid")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    Prompts::FileRequest request;
    request.defaultSuffix = QStringLiteral("mid");
    QtPrompts::prepareSaveDialog(dialog, request);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("mid"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite)) << "the caller asks, about the real name";
    dialog.setDirectory(dir.path());
    dialog.selectFile(QStringLiteral("song"));
    EXPECT_EQ(dialog.selectedFiles(), QStringList{dir.filePath(QStringLiteral("song.mid"))});
}

TEST(SaveDialog, ReplacingAsksOnlyWhenTheFileExists)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("song.mid"));
    ScopedScriptedPrompts scripted;
    EXPECT_TRUE(confirmReplacing(nullptr, path));
    EXPECT_TRUE(scripted->asked().empty());

    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_FALSE(confirmReplacing(nullptr, path)) << "unanswered, the question keeps the file";
    scripted->pushAnswer(Prompts::Answer::Yes);
    EXPECT_TRUE(confirmReplacing(nullptr, path));
    ASSERT_EQ(scripted->asked().size(), 2u);
    EXPECT_EQ(scripted->asked()[0].buttons, Prompts::Buttons::YesNo);
    EXPECT_EQ(scripted->asked()[0].defaultAnswer, Prompts::Answer::No);
}

} // namespace
} // namespace zembra
