#include <gtest/gtest.h>

#include "platform/scripted_ui.h"

namespace sw {
namespace {

TEST(ScriptedUi, AnswersFromScriptAndRecordsBoxes) {
  ScopedScriptedUi ui;
  ui->Answer(ans::No);
  ui->Type("30");
  EXPECT_EQ(MsgBox("Save your changes?", mb::YesNoCancel + mb::Question, "Update File"), ans::No);
  EXPECT_EQ(InputBox("Weight?", "Version 2", "400").text, "30");
  // The script ran dry: default buttons and a cancelled input.
  EXPECT_EQ(MsgBox("Continue?", mb::YesNo + mb::Critical + mb::DefaultButton2, "Error"), ans::No);
  EXPECT_EQ(MsgBox("Done"), ans::OK);
  EXPECT_TRUE(InputBox("x").cancelled);
  ASSERT_EQ(ui->boxes().size(), 5u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Save your changes?");
  EXPECT_EQ(ui->boxes()[0].title, "Update File");
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNoCancel + mb::Question);
  EXPECT_TRUE(ui->boxes()[1].input);
  EXPECT_EQ(ui->boxes()[1].defaultText, "400");
  int pressed = 0;
  ui->onDoEvents = [&] { ++pressed; };
  DoEvents();
  EXPECT_EQ(pressed, 1);
  {
    BusyCursor busy;
    EXPECT_TRUE(ui->busy());
  }
  EXPECT_FALSE(ui->busy());
}

TEST(ScriptedUi, DefaultAnswers) {
  EXPECT_EQ(DefaultAnswer(mb::YesNoCancel + mb::DefaultButton3), ans::Cancel);
  EXPECT_EQ(DefaultAnswer(mb::YesNoCancel), ans::Yes);
  EXPECT_EQ(DefaultAnswer(mb::OKCancel + mb::DefaultButton2), ans::Cancel);
  // With no interface installed nothing blocks.
  EXPECT_EQ(MsgBox("x", mb::YesNo + mb::DefaultButton2), ans::No);
}

}  // namespace
}  // namespace sw
