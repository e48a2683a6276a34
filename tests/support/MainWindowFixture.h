// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "HeadlessFixture.h"
#include "platform/RasterBitmap.h"
#include "ui/MainWindow.h"

using namespace brevanto;
using namespace brevanto::ui;

// The main window's logic on a headless screen of Width x Height pixels, as
// the program starts it.
template <int Width, int Height>
class MainWindowTestOn : public HeadlessTest {
protected:
    // The menu item as a click runs it, errors shown as messages.
    void Choose(const std::string& name) { window.Choose(name); }
    const platform::RasterBitmap& Picture() { return dynamic_cast<const platform::RasterBitmap&>(form.Picture()); }

    platform::HeadlessWindow window{Width, Height};
    MainWindow form{headless, window};
};
