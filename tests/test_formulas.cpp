#include "calc/formulas.h"
#include "runtime/error.h"
#include "runtime/floatstatus.h"
#include "runtime/numbers.h"

#include <QTest>

#include <cfenv>
#include <functional>
#include <string>

using calc::Integer;
using runtime::ErrorKind;
using runtime::RuntimeError;
using runtime::Variant;

namespace {

// Three inputs, of which each formula uses the first one, two or three.
struct Inputs {
    Integer a = 0;
    Integer b = 0;
    Integer c = 0;
};

using Formula = std::function<std::string(const Variant &pi, Inputs in)>;

template <typename Result> std::string text(const Result &result) {
    return runtime::numberText(result);
}

Formula formulaNamed(const QByteArray &name) {
    using namespace calc;
    if (name == "triangle area")
        return [](const Variant &, Inputs in) { return text(triangleArea(in.a, in.b)); };
    if (name == "circle area")
        return [](const Variant &pi, Inputs in) { return text(circleArea(pi, in.a)); };
    if (name == "ellipse area")
        return [](const Variant &pi, Inputs in) { return text(ellipseArea(pi, in.a, in.b)); };
    if (name == "sphere surface")
        return [](const Variant &pi, Inputs in) { return text(sphereSurface(pi, in.a)); };
    if (name == "cylinder sides open")
        return [](const Variant &pi, Inputs in) {
            return text(cylinderSidesOpenSurface(pi, in.a, in.b));
        };
    if (name == "cylinder one side open")
        return [](const Variant &pi, Inputs in) {
            return text(cylinderOneSideOpenSurface(pi, in.a, in.b));
        };
    if (name == "cylinder sides closed")
        return [](const Variant &pi, Inputs in) {
            return text(cylinderSidesClosedSurface(pi, in.a, in.b));
        };
    if (name == "torus surface")
        return [](const Variant &pi, Inputs in) { return text(torusSurface(pi, in.a, in.b)); };
    if (name == "sphere volume")
        return [](const Variant &pi, Inputs in) { return text(sphereVolume(pi, in.a)); };
    if (name == "pyramid volume")
        return [](const Variant &, Inputs in) { return text(pyramidVolume(in.a, in.b)); };
    if (name == "ellipsoid volume")
        return [](const Variant &pi, Inputs in) {
            return text(ellipsoidVolume(pi, in.a, in.b, in.c));
        };
    if (name == "cylinder volume")
        return [](const Variant &pi, Inputs in) { return text(cylinderVolume(pi, in.a, in.b)); };
    if (name == "cone volume")
        return [](const Variant &pi, Inputs in) { return text(coneVolume(pi, in.a, in.b)); };
    if (name == "torus volume")
        return [](const Variant &pi, Inputs in) { return text(torusVolume(pi, in.a, in.b)); };
    return {};
}

Inputs inputs(int a, int b, int c) {
    return {static_cast<Integer>(a), static_cast<Integer>(b), static_cast<Integer>(c)};
}

} // namespace

class TestFormulas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { runtime::clearFloatStatus(); }

    void piValueText();
    void quotientsAreDividedAtRunTime();

    void integerInput_data();
    void integerInput();

    void worked_data();
    void worked();

    void overflow_data();
    void overflow();

    void floatStatusTested_data();
    void floatStatusTested();
};

void TestFormulas::piValueText() {
    const Variant pi = calc::piValue();
    QVERIFY(!pi.isInteger());
    QCOMPARE(runtime::numberText(pi), std::string("3.142857142857143"));
}

void TestFormulas::quotientsAreDividedAtRunTime() {
    // A quotient folded by the compiler is rounded to nearest whatever the rounding mode; one
    // divided while the program runs follows the mode. 22/7 and 1/3 are inexact, so rounding up
    // and rounding down give two neighbouring doubles. (Each is taken inside a call: the compiler
    // may move a division it can see across the rounding-mode change.)
    const auto inMode = [](int mode, auto compute) {
        std::fesetround(mode);
        const double value = compute();
        std::fesetround(FE_TONEAREST);
        return value;
    };
    const auto pi = [] { return calc::piValue().toDouble(); };
    // One third of the product 1 x 1: the quotient itself.
    const auto third = [] { return calc::pyramidVolume(1, 1); };
    QVERIFY(inMode(FE_UPWARD, pi) > inMode(FE_DOWNWARD, pi));
    QVERIFY(inMode(FE_UPWARD, third) > inMode(FE_DOWNWARD, third));
    QCOMPARE(inMode(FE_TONEAREST, pi), 22.0 / 7.0);
}

void TestFormulas::integerInput_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("note");

    QTest::newRow("whole number") << QByteArray("7") << true << 7 << "";
    QTest::newRow("blank text reads zero") << QByteArray("") << true << 0 << "";
    QTest::newRow("letters read zero") << QByteArray("abc") << true << 0 << "";
    QTest::newRow("letters after a whole number") << QByteArray("12abc") << true << 12 << "";
    QTest::newRow("half rounds down to even")
        << QByteArray(" 2.5") << true << 2 << "2.5 was read as 2";
    QTest::newRow("half rounds up to even")
        << QByteArray("3.5") << true << 4 << "3.5 was read as 4";
    QTest::newRow("note shows the number as printed")
        << QByteArray("2.50") << true << 2 << "2.5 was read as 2";
    QTest::newRow("fraction rounds up") << QByteArray("7.6") << true << 8 << "7.6 was read as 8";
    QTest::newRow("largest") << QByteArray("32767") << true << 32767 << "";
    QTest::newRow("smallest minus half stays inside")
        << QByteArray("-32768.5") << true << -32768 << "-32768.5 was read as -32768";
    QTest::newRow("underflowing exponent reads zero") << QByteArray("1e-400") << true << 0 << "";
    QTest::newRow("largest plus half is out of range") << QByteArray("32767.5") << false << 0 << "";
    QTest::newRow("too large") << QByteArray("40000") << false << 0 << "";
    QTest::newRow("overflowing exponent") << QByteArray("1e400") << false << 0 << "";
}

void TestFormulas::integerInput() {
    QFETCH(QByteArray, text);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    QFETCH(QString, note);

    // A box as the reading sees one: its text, its own overflow error, and its reading note.
    struct Overflowed {
        double number;
    };
    struct Box {
        std::string text;
        std::string *note;
        std::string Text() const { return text; }
        [[noreturn]] void RaiseOverflow(double number) const { throw Overflowed{number}; }
        void SetReadingNote(std::string_view newNote) const { *note = newNote; }
    };
    std::string shown = "<never set>";
    // A flag left over from earlier must not outlive a successful read.
    QCOMPARE(std::feraiseexcept(FE_OVERFLOW), 0);
    try {
        const Integer value = calc::integerInput(Box{text.toStdString(), &shown});
        QVERIFY2(fits, "no overflow raised");
        QCOMPARE(int{value}, expected);
        QCOMPARE(std::fetestexcept(FE_ALL_EXCEPT), 0);
        QCOMPARE(QString::fromStdString(shown), note);
    } catch (const Overflowed &overflow) {
        QVERIFY2(!fits, "the box's overflow raised for a number that fits");
        QCOMPARE(shown, "<never set>");
        // The report tells the number as it was read.
        QCOMPARE(overflow.number, runtime::numberFromText(text.toStdString()));
    }
}

void TestFormulas::worked_data() {
    QTest::addColumn<QByteArray>("formula");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<QByteArray>("expected");

    auto row = [](const char *name, const char *formula, int a, int b, int c,
                  const char *expected) {
        QTest::newRow(name) << QByteArray(formula) << a << b << c << QByteArray(expected);
    };

    // The rows named "order" use inputs where another grouping of the same products would print
    // a different last digit.
    row("triangle 3 5", "triangle area", 3, 5, 0, "7.5");
    row("triangle 1 1", "triangle area", 1, 1, 0, "0.5");
    row("triangle 10 7", "triangle area", 10, 7, 0, "35");
    row("triangle area beyond 16 bits keeps its half", "triangle area", 255, 257, 0, "32767.5");
    row("triangle area far beyond 16 bits", "triangle area", 300, 300, 0, "45000");
    row("triangle negative base", "triangle area", -3, 5, 0, "-7.5");
    row("triangle 2 4", "triangle area", 2, 4, 0, "4");

    row("circle 7", "circle area", 7, 0, 0, "154");
    row("circle 10", "circle area", 10, 0, 0, "314.2857142857143");
    row("circle negative radius", "circle area", -7, 0, 0, "154");
    row("circle largest radius", "circle area", 32767, 0, 0, "3374411194");
    row("circle order pi times square", "circle area", 17, 0, 0, "908.2857142857142");

    row("ellipse 7 2", "ellipse area", 7, 2, 0, "44");
    row("ellipse 3 4", "ellipse area", 3, 4, 0, "37.714285714285715");
    row("ellipse negative axis", "ellipse area", -3, 4, 0, "-37.714285714285715");
    row("ellipse order pi times a then b", "ellipse area", 3, 5, 0, "47.142857142857146");

    row("sphere surface 7", "sphere surface", 7, 0, 0, "616");
    row("sphere surface 1", "sphere surface", 1, 0, 0, "12.571428571428571");
    row("sphere surface largest radius", "sphere surface", 32767, 0, 0, "13497644776");

    row("cylinder sides open 7 10", "cylinder sides open", 7, 10, 0, "440");
    row("cylinder sides open zero height", "cylinder sides open", 7, 0, 0, "0");
    row("cylinder sides open negative radius", "cylinder sides open", -7, 10, 0, "-440");
    row("cylinder sides open order left to right", "cylinder sides open", 3, 5, 0,
        "94.28571428571429");

    row("cylinder one side open 7 10", "cylinder one side open", 7, 10, 0, "594");
    row("cylinder one side open zero height", "cylinder one side open", 7, 0, 0, "154");
    row("cylinder one side open negative radius", "cylinder one side open", -7, 10, 0, "-286");

    row("cylinder closed 7 10", "cylinder sides closed", 7, 10, 0, "748");
    row("cylinder closed zero height", "cylinder sides closed", 7, 0, 0, "308");
    row("cylinder closed negative radius", "cylinder sides closed", -7, 10, 0, "-132");
    row("cylinder closed order bases then side", "cylinder sides closed", 1, 12, 0,
        "81.71428571428572");

    row("torus surface 1 3", "torus surface", 1, 3, 0, "79.0204081632653");
    row("torus surface 0 1", "torus surface", 0, 1, 0, "9.877551020408163");
    row("torus surface radii swapped is negative", "torus surface", 3, 1, 0, "-79.0204081632653");
    row("torus surface equal radii print plain zero", "torus surface", 5, 5, 0, "0");
    row("torus surface opposite radii print plain zero", "torus surface", -5, 5, 0, "0");
    row("torus surface order pi squared times difference", "torus surface", 1, 2, 0,
        "29.632653061224488");

    row("sphere volume 3", "sphere volume", 3, 0, 0, "113.14285714285712");
    row("sphere volume negative radius", "sphere volume", -3, 0, 0, "-113.14285714285712");
    row("sphere volume largest radius", "sphere volume", 32767, 0, 0, "147425775458397.3");
    row("sphere volume zero radius", "sphere volume", 0, 0, 0, "0");

    row("pyramid 10 3", "pyramid volume", 10, 3, 0, "10");
    row("pyramid product just fits", "pyramid volume", 181, 181, 0, "10920.333333333332");
    row("pyramid product exactly the bottom", "pyramid volume", -128, 256, 0,
        "-10922.666666666666");
    row("pyramid negative base", "pyramid volume", -5, 7, 0, "-11.666666666666666");
    row("pyramid multiplies by one third", "pyramid volume", 1, 5, 0, "1.6666666666666665");

    row("ellipsoid 2 3 4", "ellipsoid volume", 2, 3, 4, "100.57142857142856");
    row("ellipsoid 3 3 3 matches sphere", "ellipsoid volume", 3, 3, 3, "113.14285714285712");
    row("ellipsoid order left to right", "ellipsoid volume", 1, 35, 36, "5279.999999999998");

    row("cylinder volume 7 10", "cylinder volume", 7, 10, 0, "1540");
    row("cylinder volume order base then height", "cylinder volume", 3, 31, 0, "876.8571428571428");

    row("cone 7 3", "cone volume", 7, 3, 0, "154");
    row("cone 5 12", "cone volume", 5, 12, 0, "314.2857142857143");
    row("cone third applied last", "cone volume", 1, 3, 0, "3.142857142857143");

    row("torus volume 5 3", "torus volume", 5, 3, 0, "79.0204081632653");
    row("torus volume radii swapped", "torus volume", 3, 5, 0, "79.0204081632653");
    row("torus volume inner radius zero", "torus volume", 7, 0, 0, "847");
    row("torus volume order left to right", "torus volume", 1, 26, 0, "41670.91836734693");
}

void TestFormulas::worked() {
    QFETCH(QByteArray, formula);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(QByteArray, expected);

    const Formula evaluate = formulaNamed(formula);
    QVERIFY2(evaluate, "unknown formula " + formula);
    const std::string result = evaluate(calc::piValue(), inputs(a, b, c));
    QCOMPARE(QByteArray::fromStdString(result), expected);
}

void TestFormulas::overflow_data() {
    QTest::addColumn<QByteArray>("formula");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QByteArray>("operation");

    QTest::newRow("pyramid product one past the top")
        << QByteArray("pyramid volume") << 128 << 256 << QByteArray("product");
    QTest::newRow("pyramid product of the smallest")
        << QByteArray("pyramid volume") << -32768 << -1 << QByteArray("product");
    QTest::newRow("torus sum too large")
        << QByteArray("torus volume") << 20000 << 20000 << QByteArray("sum");
    QTest::newRow("torus sum passes and difference overflows")
        << QByteArray("torus volume") << 32767 << -1 << QByteArray("difference");
}

void TestFormulas::overflow() {
    QFETCH(QByteArray, formula);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QByteArray, operation);

    const Formula evaluate = formulaNamed(formula);
    QVERIFY2(evaluate, "unknown formula " + formula);
    try {
        const std::string result = evaluate(calc::piValue(), inputs(a, b, 0));
        QFAIL(("no overflow raised; the result was " + result).c_str());
    } catch (const runtime::StepOverflow &error) {
        // The step of the first and second inputs, which the page names by their boxes.
        QCOMPARE(error.kind(), ErrorKind::Overflow);
        QCOMPARE(QByteArray::fromStdString(error.step()), operation);
        QCOMPARE(error.first(), 0);
        QCOMPARE(error.second(), 1);
        QVERIFY(error.inputCaption().empty());
    }
}

void TestFormulas::floatStatusTested_data() {
    QTest::addColumn<QByteArray>("formula");
    QTest::addColumn<QByteArray>("operation");

    QTest::newRow("triangle area") << QByteArray("triangle area") << QByteArray("triangle area");
    QTest::newRow("torus surface")
        << QByteArray("torus surface") << QByteArray("torus surface difference");
    QTest::newRow("sphere volume") << QByteArray("sphere volume") << QByteArray("constant 4/3");
    QTest::newRow("pyramid volume") << QByteArray("pyramid volume") << QByteArray("constant 1/3");
    QTest::newRow("ellipsoid volume")
        << QByteArray("ellipsoid volume") << QByteArray("ellipsoid volume");
    QTest::newRow("cone volume") << QByteArray("cone volume") << QByteArray("constant 1/3");
    QTest::newRow("torus volume") << QByteArray("torus volume") << QByteArray("constant 1/4");
}

void TestFormulas::floatStatusTested() {
    QFETCH(QByteArray, formula);
    QFETCH(QByteArray, operation);

    // An overflow flag already set is reported by the formula's first float-status test, which
    // names the step it guards.
    const Formula evaluate = formulaNamed(formula);
    QVERIFY2(evaluate, "unknown formula " + formula);
    const Variant pi = calc::piValue();
    QCOMPARE(std::feraiseexcept(FE_OVERFLOW), 0);
    try {
        const std::string result = evaluate(pi, inputs(1, 2, 3));
        QFAIL(("no float error raised; the result was " + result).c_str());
    } catch (const RuntimeError &error) {
        QCOMPARE(error.kind(), ErrorKind::FloatError);
        QCOMPARE(QByteArray::fromStdString(error.operation()), operation);
    }

    QCOMPARE(std::feraiseexcept(FE_OVERFLOW), 0);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, calc::piValue());
}

QTEST_APPLESS_MAIN(TestFormulas)
#include "test_formulas.moc"
