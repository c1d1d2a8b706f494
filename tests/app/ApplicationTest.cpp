#include "app/u_Application.h"
#include "core/Failure.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace app;

namespace {

struct TitleCase {
    const char* path;
    char separator;
    const char* title;
};

class Title : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Title, followsTheExecutableName) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(deriveTitle(QString::fromUtf8(c.path), QLatin1Char(c.separator)), QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Names, Title,
    ::testing::Values(TitleCase{"C:\\Program Files\\Zel\\wCartovia.exe", '\\', "wcartovia"},
                      TitleCase{"C:\\Zel\\WCARTOVIA.EXE", '\\', "Wcartovia"},
                      TitleCase{"C:\\Zel\\wCartovia.test.exe", '\\', "wcartovia"},
                      TitleCase{"C:\\Zel\\WCartovia", '\\', "Wcartovia"},
                      TitleCase{"C:\\my.dir\\Tool", '\\', "Tool"},
                      TitleCase{"/opt/zel/bin/wCartovia", '/', "wcartovia"},
                      TitleCase{"/opt/zel.d/ŞCARTOVIA", '/', "Şcartovia"},
                      TitleCase{"wCartovia", '/', "wcartovia"}));

struct StopCase {
    const char* text;
    const char* shown;
};

class FullStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(FullStop, isAddedAfterCharactersAboveTheFullStop) {
    EXPECT_EQ(withFullStop(QString::fromUtf8(GetParam().text)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Texts, FullStop,
                         ::testing::Values(StopCase{"User, Password eronate", "User, Password eronate."},
                                           StopCase{"Comanda exista in ZEL.", "Comanda exista in ZEL."},
                                           StopCase{"", ""}, StopCase{"Sigur?", "Sigur?."},
                                           StopCase{"Cod 42", "Cod 42."}, StopCase{"Nota:", "Nota:."},
                                           StopCase{"Gata!", "Gata!"}, StopCase{"(detalii)", "(detalii)"},
                                           StopCase{"a, b,", "a, b,"}, StopCase{"x -", "x -"},
                                           StopCase{"blank ", "blank "}, StopCase{"line\n", "line\n"},
                                           StopCase{"Companie inexistenta", "Companie inexistenta."},
                                           StopCase{"ă", "ă."}));

std::exception_ptr nested(const char* outer, const char* inner) {
    try {
        try {
            throw wc::Failure(QString::fromUtf8(inner));
        } catch (...) {
            std::throw_with_nested(wc::Failure(QString::fromUtf8(outer)));
        }
    } catch (...) {
        return std::current_exception();
    }
}

TEST(FailureText, showsTheInnermostMessage) {
    EXPECT_EQ(failureText(nested("Outer problem", "Inner cause")), "Inner cause.");
}

TEST(FailureText, joinsTheChainWhenTheInnermostIsEmpty) {
    EXPECT_EQ(failureText(nested("Outer problem", "")), "Outer problem\n");
}

TEST(FailureText, plainFailureAndQuietAbort) {
    EXPECT_EQ(failureText(std::make_exception_ptr(wc::Failure("Companie inexistenta"))), "Companie inexistenta.");
    EXPECT_EQ(failureText(std::make_exception_ptr(std::runtime_error("boom"))), "boom.");
    EXPECT_TRUE(isQuietAbort(std::make_exception_ptr(wc::Abort())));
}

TEST(ErrorDisplay, guardedHandlerReportsAndReturns) {
    QStringList shown;
    setFailureSink([&](const QString& text) { shown << text; });
    guarded([] { throw wc::Failure("Nu aveti inregistrari."); });
    guarded([] { throw wc::Abort(); });
    setFailureSink(nullptr);
    EXPECT_EQ(shown, QStringList{"Nu aveti inregistrari."});
}

} // namespace
