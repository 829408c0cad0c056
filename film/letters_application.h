// The Qt application that letters need for their fonts, made without a
// display where the program has none (vivar-sim).
#pragma once

#include <array>
#include <memory>

#include <QGuiApplication>

// Makes an application of its own, with no display, where there is none;
// the window's own stands otherwise.
class LettersApplication {
public:
    LettersApplication();

private:
    int argc_ = 1;
    char name_[10] = "vivar-sim";
    std::array<char*, 2> argv_{name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};
