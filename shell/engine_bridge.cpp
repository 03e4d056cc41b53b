#include "engine_bridge.h"

#include "replaceable.h"

#include <velmorad1.h>

namespace vorlan {

namespace {

class Velmorad1 final : public CircuitEngine {
public:
    bool runMain(const QByteArray& netlist, const QByteArray& script) override {
        return _run_main(netlist.constData(), script.constData()) == 0;
    }
    QString errorText() override {
        const char* text = _GetErrorStr();
        return text ? QString::fromUtf8(text) : QString();
    }
};

Velmorad1& Library() {
    static Velmorad1 engine;
    return engine;
}

}  // namespace

CircuitEngine& CurrentEngine() { return ServiceInUse<CircuitEngine>(Library()); }

CircuitEngine* SetEngine(CircuitEngine* engine) { return InstallService(engine); }

}  // namespace vorlan
