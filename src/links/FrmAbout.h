// The About window: the program's name and version, the maker, and three links.
#pragma once

#include <array>

#include "forms/Forms.h"

namespace quillmere {

class Program;

class FrmAbout : public forms::Form {
public:
    explicit FrmAbout(Program& program);

    void Label4_Click(int index);
    void Label4_MouseMove(int index);
    void lblClose_MouseMove();
    void Picture1_MouseMove();
    void lblClose_Click();

    forms::Control& Picture1;
    // The details and links, by index: values 0 to 3, the contact link 4, captions 5 to 8.
    std::array<forms::Control*, 9> Label4;
    forms::Control& lblClose;

private:
    Program& program_;
};

}  // namespace quillmere
