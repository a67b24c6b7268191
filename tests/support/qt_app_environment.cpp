// One QApplication for every widget test in this executable, on the offscreen platform unless a
// display was asked for.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("ORVANE_NO_MESSAGE_BOXES", "1", 1);
        static int argc = 1;
        static char name[] = "test";
        static char *argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QApplication *m_app = nullptr;
};

const auto *g_env = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace
