#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// The test classes of a program with several of them register themselves; the common main
// (tests/support/TestMain.cpp) runs them in turn.
namespace testregistry {

using Factory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<Factory>& factories()
{
    static std::vector<Factory> list;
    return list;
}

template <typename T>
struct Register {
    Register() { factories().push_back([] { return std::make_unique<T>(); }); }
};

} // namespace testregistry

#define TINTARO_REGISTER_TEST(Class) static const testregistry::Register<Class> registered##Class
