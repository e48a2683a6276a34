// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EditHistory.h"

namespace brevanto::ui {

void EditHistory::Reset(const std::string& state) {
    undone.clear();
    redone.clear();
    current = state;
    saved = state;
}

namespace {
// Enough for an afternoon's work; the oldest steps go first.
constexpr size_t kMostSteps = 1000;
}  // namespace

void EditHistory::Note(const std::string& state) {
    if (state == current) return;
    undone.push_back(std::move(current));
    if (undone.size() > kMostSteps) undone.erase(undone.begin());
    redone.clear();
    current = state;
}

std::optional<std::string> EditHistory::Undo() {
    if (undone.empty()) return std::nullopt;
    redone.push_back(std::move(current));
    current = std::move(undone.back());
    undone.pop_back();
    return current;
}

std::optional<std::string> EditHistory::Redo() {
    if (redone.empty()) return std::nullopt;
    undone.push_back(std::move(current));
    current = std::move(redone.back());
    redone.pop_back();
    return current;
}

}  // namespace brevanto::ui
