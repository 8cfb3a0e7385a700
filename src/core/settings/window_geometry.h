#pragma once

namespace rx42 {

// The main window's position and size as the settings file keeps them. The window implements it.
class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int height() const = 0;
    virtual int width() const = 0;
    virtual void set_left(int left) = 0;
    virtual void set_top(int top) = 0;
    virtual void set_height(int height) = 0;
    virtual void set_width(int width) = 0;
};

}  // namespace rx42
