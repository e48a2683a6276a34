#pragma once
#include <string>

#include "platform/Canvas.h"

namespace platform {

// The main window as the program sees it: caption, drawing area and colour.
class Window {
public:
    virtual ~Window() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // The system may grant less than asked; read the size back.
    virtual void SetClientWidth(int width) = 0;
    virtual void SetClientHeight(int height) = 0;
    virtual TColor Color() const = 0;
    virtual void SetColor(TColor colour) = 0;
    virtual Canvas& GetCanvas() = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

}  // namespace platform
