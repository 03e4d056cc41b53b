// The engine behind the circuit page: _run_main and _GetErrorStr of
// Velmorad1, linked at load time, behind one seam so that tests can put a
// scripted engine in its place.
#pragma once

#include <QByteArray>
#include <QString>

namespace vorlan {

class CircuitEngine {
public:
    virtual ~CircuitEngine() = default;
    // One run from the netlist file to the analysis script (paths relative to
    // the working directory); false when the run stopped.
    virtual bool runMain(const QByteArray& netlist, const QByteArray& script) = 0;
    // Why the last run stopped.
    virtual QString errorText() = 0;
};

// The engine in use: Velmorad1 unless a test installed another.
CircuitEngine& CurrentEngine();
// Installs `engine` (not owned); nullptr brings back Velmorad1. Returns the
// engine installed before.
CircuitEngine* SetEngine(CircuitEngine* engine);

}  // namespace vorlan
