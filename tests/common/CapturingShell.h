#pragma once

#include "Shell.h"

#include <QString>
#include <vector>

// Keeps the links handed to the desktop instead of opening them.
class CapturingShell : public platform::Shell {
public:
    explicit CapturingShell(std::vector<QString>& opened) : opened_(opened) {}
    void OpenLink(const QString& link) override { opened_.push_back(link); }
    void StartProgram(const QString&) override {}

private:
    std::vector<QString>& opened_;
};
