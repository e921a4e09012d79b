#pragma once
// What the bench_ui_* programs share: a port system that offers only the simulated unit, so
// that no serial device is probed, and dialogs that never open.
#include "acquisition/simulated_unit.h"
#include "ui/quintovar_app.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::bench {

class SimulatedOnlyPorts : public PortSystem {
public:
    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        return name == SimulatedPortName ? OpenSimulatedPort(1) : nullptr;
    }
    bool Probe(const std::string&) override { return false; }
    std::vector<std::string> Candidates() override { return {}; }
};

// A benchmark has nobody to answer a dialog.
class SilentDialogs : public Dialogs {
public:
    void Message(QWidget*, const QString&) override {}
    void Error(QWidget*, const QString&, const QString&) override {}
    std::optional<SaveChoice> AskSaveFile(QWidget*, SaveFileType, const QString&) override {
        return {};
    }
    std::optional<QString> AskOpenFile(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> AskColour(QWidget*, const QColor&) override { return {}; }
};

} // namespace qv::bench
