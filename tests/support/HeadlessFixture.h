// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/Settings.h"
#include "model/Szeneobjekt.h"
#include "platform/HeadlessPlatform.h"

using namespace brevanto;
using namespace brevanto::model;

// The headless platform, which answers dialogs from a script and records the
// messages, progress texts and dialogs shown. Every headless test starts
// from this.
class HeadlessTest : public ::testing::Test {
protected:
    // Answers the next dialog by typing the texts into the fields with these
    // ids and pressing OK.
    void AnswerOk(std::vector<std::pair<std::string, std::string>> texts = {}) {
        headless.dialogAnswers.push_back([texts](platform::DialogSpec& dialog) {
            for (const auto& [id, text] : texts) dialog[id].text = text;
            return platform::ModalResult::OK;
        });
    }
    void Answer(std::function<platform::ModalResult(platform::DialogSpec&)> answer) {
        headless.dialogAnswers.push_back(std::move(answer));
    }

    platform::HeadlessPlatform headless;
};

// Settings for an 800 x 600 picture with every computation setting at its
// default, for tests of objects and computations without a main window.
class HeadlessSceneTest : public HeadlessTest {
protected:
    EditContext Context() { return {headless, settings}; }

    Tprgvar settings{600, 800, 0};
};
