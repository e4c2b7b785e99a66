#include "framework/Document.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(CDocument, TitleChangesReachTheObserver)
{
    CDocument doc;
    std::vector<std::string> titles;
    doc.SetTitleObserver([&titles](const std::string& strTitle) { titles.push_back(strTitle); });
    doc.SetTitle("New Game");
    doc.SetPathName("/some/folder/lesson.txt");
    EXPECT_EQ(titles, (std::vector<std::string>{"New Game", "lesson.txt"}));
    EXPECT_EQ(doc.GetPathName(), "/some/folder/lesson.txt");
}

TEST(CDocument, OpeningNamesTheDocumentAndReadsNothing)
{
    TempDir dir;
    const auto file = dir.Write("notes.ver", "content");
    CDocument doc;
    doc.SetTitle("go");
    EXPECT_FALSE(doc.OnOpenDocument((dir.Path() / "missing.ver").string()));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path().string())) << "a folder";
    EXPECT_EQ(doc.GetTitle(), "go");
    EXPECT_TRUE(doc.OnOpenDocument(file.string()));
    EXPECT_EQ(doc.GetTitle(), "notes.ver");
    EXPECT_EQ(TempDir::Read(file), "content");
}

TEST(CDocument, SavingNeverEmptiesAnExistingFile)
{
    TempDir dir;
    CDocument doc;
    const auto newFile = dir.Path() / "fresh.txt";
    EXPECT_TRUE(doc.OnSaveDocument(newFile.string()));
    EXPECT_TRUE(std::filesystem::exists(newFile));
    EXPECT_EQ(std::filesystem::file_size(newFile), 0u);
    EXPECT_EQ(doc.GetTitle(), "fresh.txt");

    const auto existing = dir.Write("kept.txt", "precious lines\n");
    EXPECT_TRUE(doc.OnSaveDocument(existing.string()));
    EXPECT_EQ(TempDir::Read(existing), "precious lines\n");
    EXPECT_EQ(doc.GetTitle(), "kept.txt");

    EXPECT_FALSE(doc.OnSaveDocument((dir.Path() / "no" / "such" / "folder.txt").string()));
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path().string()));
    EXPECT_EQ(doc.GetTitle(), "kept.txt");
}
