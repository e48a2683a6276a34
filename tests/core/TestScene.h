#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/Programvar.h"
#include "platform/HeadlessPlatform.h"

// Fresh settings for an 800 x 600 picture (all computation settings at their
// defaults) and a headless platform that answers dialogs from a script and
// records messages, progress and captions.
class SceneTest : public ::testing::Test {
protected:
    SceneTest() {
        SetPrgvar(std::make_unique<Tprgvar>(600, 800, 0));
        platform::SetCurrentPlatform(&headless);
    }
    ~SceneTest() override { platform::SetCurrentPlatform(nullptr); }

    // Answers the next dialog by typing the texts into the edit fields and
    // pressing OK.
    void AnswerOk(std::vector<std::pair<std::string, std::string>> texts) {
        headless.dialogAnswers.push_back([texts](platform::DialogSpec& dialog) {
            for (const auto& [id, text] : texts) dialog[id].text = text;
            return platform::ModalResult::OK;
        });
    }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{800, 600};
};
