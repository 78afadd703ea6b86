#include "runtime/error.h"
#include "runtime/floatstatus.h"
#include "runtime/numbers.h"
#include "runtime/variant.h"

#include <QElapsedTimer>
#include <QTest>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using runtime::ErrorKind;
using runtime::RuntimeError;
using runtime::Variant;

Q_DECLARE_METATYPE(runtime::ErrorKind)

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

std::string_view view(const QByteArray &bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray repeated(char c, int count) {
    return QByteArray(count, c);
}

// Exact comparison; two NaNs count as the same.
bool sameDouble(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

QByteArray describe(double value) {
    return QByteArray::number(value, 'g', 17);
}

enum class Op { Add, Subtract, Multiply };

std::int16_t apply(Op op, std::int16_t a, std::int16_t b, const runtime::Step &step) {
    switch (op) {
    case Op::Add:
        return runtime::checkedAdd(a, b, step);
    case Op::Subtract:
        return runtime::checkedSubtract(a, b, step);
    case Op::Multiply:
        return runtime::checkedMultiply(a, b, step);
    }
    return 0;
}

Variant makeVariant(bool isInteger, double value) {
    if (isInteger)
        return Variant(static_cast<std::int16_t>(value));
    return Variant(value);
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TestNumbers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { runtime::clearFloatStatus(); }

    void numberFromText_data();
    void numberFromText();
    void numberFromTextIgnoresTheLocale();
    void numberFromTextOnLongText_data();
    void numberFromTextOnLongText();

    void rounding_data();
    void rounding();

    void checkedArithmetic_data();
    void checkedArithmetic();

    void power_data();
    void power();

    void doubleText_data();
    void doubleText();
    void extremeDoubleTextReadsBack_data();
    void extremeDoubleTextReadsBack();
    void integerText_data();
    void integerText();

    void errorReport_data();
    void errorReport();
    void raiseFunctions_data();
    void raiseFunctions();

    void variantArithmetic_data();
    void variantArithmetic();

    void floatStatus_data();
    void floatStatus();
    void clearingForgetsFlags();
};

void TestNumbers::numberFromText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain integer") << QByteArray("7") << 7.0;
    QTest::newRow("trailing letters ignored") << QByteArray("12abc") << 12.0;
    QTest::newRow("letters only give zero") << QByteArray("abc") << 0.0;
    QTest::newRow("empty text gives zero") << QByteArray("") << 0.0;
    QTest::newRow("blanks around a plus sign") << QByteArray(" +7 ") << 7.0;
    QTest::newRow("tab CR LF skipped at start") << QByteArray("\t\r\n 7") << 7.0;
    QTest::newRow("vertical tab is not a blank") << QByteArray("\v7") << 0.0;
    QTest::newRow("no-break space is not a blank") << QByteArray("\xC2\xA0"
                                                                 "7")
                                                   << 0.0;
    QTest::newRow("blank after the sign ends the number") << QByteArray("- 7") << 0.0;
    QTest::newRow("second number after a blank ignored") << QByteArray("1 2") << 1.0;
    QTest::newRow("negative fraction") << QByteArray("-2.5") << -2.5;
    QTest::newRow("fraction without integer part") << QByteArray(".5") << 0.5;
    QTest::newRow("point without fraction") << QByteArray("5.") << 5.0;
    QTest::newRow("signed fraction without integer part") << QByteArray("+.5e1") << 5.0;
    QTest::newRow("point alone is no number") << QByteArray(".") << 0.0;
    QTest::newRow("sign and point alone is no number") << QByteArray("-.") << 0.0;
    QTest::newRow("point then exponent is no number") << QByteArray(".e1") << 0.0;
    QTest::newRow("second point ends the number") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("exponent") << QByteArray("1e2") << 100.0;
    QTest::newRow("capital exponent with sign") << QByteArray("1E+2") << 100.0;
    QTest::newRow("negative exponent") << QByteArray("25e-1") << 2.5;
    QTest::newRow("exponent after bare point") << QByteArray("5.e1") << 50.0;
    QTest::newRow("letter e without digits ignored") << QByteArray("1e") << 1.0;
    QTest::newRow("exponent sign without digits ignored") << QByteArray("1e+") << 1.0;
    QTest::newRow("exponent letter then text ignored") << QByteArray("3ex") << 3.0;
    QTest::newRow("hexadecimal prefix not read") << QByteArray("0x10") << 0.0;
    QTest::newRow("comma ends the number") << QByteArray("1,5") << 1.0;
    QTest::newRow("infinity word not read") << QByteArray("inf") << 0.0;
    QTest::newRow("nan word not read") << QByteArray("nan") << 0.0;
    QTest::newRow("decimal fraction correctly rounded") << QByteArray("0.1") << 0.1;
    QTest::newRow("halfway integer rounds to even")
        << QByteArray("9007199254740993") << 9007199254740992.0;
    QTest::newRow("too large gives infinity") << QByteArray("1e400") << infinity;
    QTest::newRow("too large negative gives minus infinity") << QByteArray("-1e400") << -infinity;
    QTest::newRow("too small gives zero") << QByteArray("1e-400") << 0.0;
    QTest::newRow("smallest denormal kept")
        << QByteArray("4.9406564584124654e-324") << std::numeric_limits<double>::denorm_min();
}

void TestNumbers::numberFromText() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);

    const double actual = runtime::numberFromText(view(text));
    QVERIFY2(sameDouble(actual, expected), describe(actual) + " != " + describe(expected));
}

void TestNumbers::numberFromTextIgnoresTheLocale() {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char *found = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) {
            found = name;
            break;
        }
    }
    if (!found)
        QSKIP("no locale with a decimal comma is installed");

    const double withPoint = runtime::numberFromText("1.5");
    const double withComma = runtime::numberFromText("1,5");
    std::setlocale(LC_ALL, previous.c_str());
    QCOMPARE(withPoint, 1.5);
    QCOMPARE(withComma, 1.0);
}

void TestNumbers::numberFromTextOnLongText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const int length = 100000;
    QTest::newRow("all digits overflow to infinity") << repeated('7', length) << infinity;
    QTest::newRow("no digits at all") << repeated('x', length) << 0.0;
    QTest::newRow("blanks then a digit") << repeated(' ', length - 1) + "7" << 7.0;
    QTest::newRow("leading zeros then a digit") << repeated('0', length - 1) + "7" << 7.0;
    QTest::newRow("long fraction rounds correctly")
        << "0." + repeated('3', length - 2) << 1.0 / 3.0;
    QTest::newRow("tiny long fraction underflows") << "0." + repeated('0', length - 3) + "1" << 0.0;
    QTest::newRow("huge exponent") << "1e" + repeated('9', length - 2) << infinity;
    QTest::newRow("huge negative exponent") << "1e-" + repeated('9', length - 3) << 0.0;
    QTest::newRow("digits then letters") << "12" + repeated('a', length - 2) << 12.0;
}

void TestNumbers::numberFromTextOnLongText() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);

    QElapsedTimer timer;
    timer.start();
    const double actual = runtime::numberFromText(view(text));
    const qint64 elapsed = timer.elapsed();

    QVERIFY2(sameDouble(actual, expected), describe(actual) + " != " + describe(expected));
    // A linear scan takes well under a millisecond; anything quadratic takes seconds.
    QVERIFY2(elapsed < 1000, QByteArray::number(elapsed) + " ms");
}

void TestNumbers::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("half rounds down to even") << 2.5 << true << 2;
    QTest::newRow("half rounds up to even") << 3.5 << true << 4;
    QTest::newRow("negative half rounds to even") << -2.5 << true << -2;
    QTest::newRow("minus one half rounds to zero") << -0.5 << true << 0;
    QTest::newRow("one half rounds to zero") << 0.5 << true << 0;
    QTest::newRow("below half rounds down") << 7.4 << true << 7;
    QTest::newRow("above half rounds up") << 7.6 << true << 8;
    QTest::newRow("largest integer") << 32767.0 << true << 32767;
    QTest::newRow("just below largest plus half") << 32767.4 << true << 32767;
    QTest::newRow("largest plus half rounds out of range") << 32767.5 << false << 0;
    QTest::newRow("smallest integer") << -32768.0 << true << -32768;
    QTest::newRow("smallest minus half rounds to even inside") << -32768.5 << true << -32768;
    QTest::newRow("smallest minus more than half") << -32768.6 << false << 0;
    QTest::newRow("far out of range") << 40000.0 << false << 0;
    QTest::newRow("huge value") << 1e300 << false << 0;
    QTest::newRow("denormal rounds to zero")
        << std::numeric_limits<double>::denorm_min() << true << 0;
    QTest::newRow("infinity") << infinity << false << 0;
    QTest::newRow("minus infinity") << -infinity << false << 0;
    QTest::newRow("not a number") << notANumber << false << 0;
}

void TestNumbers::rounding() {
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);

    const std::optional<std::int16_t> rounded = runtime::roundToInteger(value);
    QCOMPARE(rounded.has_value(), fits);
    if (fits)
        QCOMPARE(int{*rounded}, expected);
}

void TestNumbers::checkedArithmetic_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("sum at the top") << Op::Add << 32767 << 0 << true << 32767;
    QTest::newRow("sum of extremes") << Op::Add << -32768 << 32767 << true << -1;
    QTest::newRow("sum one past the top") << Op::Add << 32767 << 1 << false << 0;
    QTest::newRow("sum one past the bottom") << Op::Add << -32768 << -1 << false << 0;
    QTest::newRow("sum of two large") << Op::Add << 20000 << 20000 << false << 0;
    QTest::newRow("difference at the bottom") << Op::Subtract << -1 << 32767 << true << -32768;
    QTest::newRow("difference past the bottom") << Op::Subtract << -2 << 32767 << false << 0;
    QTest::newRow("negating the smallest") << Op::Subtract << 0 << -32768 << false << 0;
    QTest::newRow("difference past the top") << Op::Subtract << 32767 << -1 << false << 0;
    QTest::newRow("product that fits") << Op::Multiply << 181 << 181 << true << 32761;
    QTest::newRow("product one past the top") << Op::Multiply << 128 << 256 << false << 0;
    QTest::newRow("product exactly the bottom") << Op::Multiply << -128 << 256 << true << -32768;
    QTest::newRow("smallest times minus one") << Op::Multiply << -32768 << -1 << false << 0;
    QTest::newRow("smallest times zero") << Op::Multiply << -32768 << 0 << true << 0;
    QTest::newRow("negative product") << Op::Multiply << -5 << 7 << true << -35;
}

void TestNumbers::checkedArithmetic() {
    QFETCH(Op, op);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, fits);
    QFETCH(int, expected);

    try {
        const std::int16_t result = apply(op, static_cast<std::int16_t>(a),
                                          static_cast<std::int16_t>(b), {"named step", 1, 2});
        QVERIFY2(fits, "no overflow raised");
        QCOMPARE(int{result}, expected);
    } catch (const runtime::StepOverflow &error) {
        QVERIFY2(!fits, error.what());
        QCOMPARE(error.kind(), ErrorKind::Overflow);
        QCOMPARE(error.step(), std::string("named step"));
        QCOMPARE(error.first(), 1);
        QCOMPARE(error.second(), 2);
    }
}

void TestNumbers::power_data() {
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("expected");

    QTest::newRow("square") << 7.0 << 2.0 << 49.0;
    QTest::newRow("square of negative") << -7.0 << 2.0 << 49.0;
    QTest::newRow("cube of negative") << -3.0 << 3.0 << -27.0;
    QTest::newRow("square of the largest integer") << 32767.0 << 2.0 << 1073676289.0;
    QTest::newRow("zero to the zero") << 0.0 << 0.0 << 1.0;
    QTest::newRow("square root") << 2.0 << 0.5 << std::sqrt(2.0);
    QTest::newRow("square of 22/7") << 22.0 / 7.0 << 2.0 << (22.0 / 7.0) * (22.0 / 7.0);
}

void TestNumbers::power() {
    QFETCH(double, base);
    QFETCH(double, exponent);
    QFETCH(double, expected);

    const double actual = runtime::power(base, exponent);
    QVERIFY2(sameDouble(actual, expected), describe(actual) + " != " + describe(expected));

    const Variant viaVariant = runtime::power(Variant(base), Variant(exponent));
    QVERIFY(!viaVariant.isInteger());
    QVERIFY(sameDouble(viaVariant.toDouble(), expected));
}

void TestNumbers::doubleText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("whole number") << 154.0 << QByteArray("154");
    QTest::newRow("one half") << 0.5 << QByteArray("0.5");
    QTest::newRow("seven and a half") << 7.5 << QByteArray("7.5");
    QTest::newRow("negative") << -7.5 << QByteArray("-7.5");
    QTest::newRow("shortest digits of a quotient")
        << 2200.0 / 7.0 << QByteArray("314.2857142857143");
    QTest::newRow("seventeen significant digits")
        << 37.714285714285715 << QByteArray("37.714285714285715");
    QTest::newRow("sixteen significant digits") << 1.0 / 3.0 << QByteArray("0.3333333333333333");
    QTest::newRow("decimal fraction") << 0.1 << QByteArray("0.1");
    QTest::newRow("large with fraction") << 147425775458397.3 << QByteArray("147425775458397.3");
    QTest::newRow("large integer without exponent") << 1e21 << QByteArray("1000000000000000000000");
    QTest::newRow("small without exponent") << 1e-7 << QByteArray("0.0000001");
    QTest::newRow("positive zero") << 0.0 << QByteArray("0");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("not a number") << notANumber << QByteArray("NaN");
    QTest::newRow("infinity") << infinity << QByteArray("Infinity");
    QTest::newRow("minus infinity") << -infinity << QByteArray("-Infinity");
}

void TestNumbers::doubleText() {
    QFETCH(double, value);
    QFETCH(QByteArray, expected);

    QCOMPARE(QByteArray::fromStdString(runtime::numberText(value)), expected);
}

void TestNumbers::extremeDoubleTextReadsBack_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("length");

    // Fixed notation at the ends of the range: 309 integer digits, or "0." and 324 decimals.
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << 309;
    QTest::newRow("smallest negative double") << std::numeric_limits<double>::lowest() << 310;
    QTest::newRow("smallest denormal") << std::numeric_limits<double>::denorm_min() << 326;
    QTest::newRow("smallest normal") << std::numeric_limits<double>::min() << 0;
}

void TestNumbers::extremeDoubleTextReadsBack() {
    QFETCH(double, value);
    QFETCH(int, length);

    const std::string text = runtime::numberText(value);
    QVERIFY(text.find_first_of("eE") == std::string::npos);
    if (length > 0)
        QCOMPARE(static_cast<int>(text.size()), length);
    QVERIFY2(sameDouble(runtime::numberFromText(text), value), text.c_str());
}

void TestNumbers::integerText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zero") << 0 << QByteArray("0");
    QTest::newRow("largest") << 32767 << QByteArray("32767");
    QTest::newRow("smallest") << -32768 << QByteArray("-32768");
    QTest::newRow("minus one") << -1 << QByteArray("-1");
}

void TestNumbers::integerText() {
    QFETCH(int, value);
    QFETCH(QByteArray, expected);

    const auto integer = static_cast<std::int16_t>(value);
    QCOMPARE(QByteArray::fromStdString(runtime::numberText(integer)), expected);
    QCOMPARE(QByteArray::fromStdString(runtime::numberText(Variant(integer))), expected);
}

void TestNumbers::errorReport_data() {
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QByteArray>("operation");
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<QByteArray>("report");

    QTest::newRow("overflow in a step")
        << ErrorKind::Overflow << QByteArray("pyramid product B x H") << QByteArray()
        << QByteArray("Overflow in pyramid product B x H.");
    QTest::newRow("float error in a step")
        << ErrorKind::FloatError << QByteArray("constant 1/3") << QByteArray()
        << QByteArray("Floating-point error in constant 1/3.");
    QTest::newRow("control failure")
        << ErrorKind::ControlFailure << QByteArray("showing the window") << QByteArray()
        << QByteArray("Control call failed in showing the window.");
}

void TestNumbers::errorReport() {
    QFETCH(ErrorKind, kind);
    QFETCH(QByteArray, operation);
    QFETCH(QByteArray, caption);
    QFETCH(QByteArray, report);

    const RuntimeError error(kind, operation.toStdString(), caption.toStdString());
    QCOMPARE(error.kind(), kind);
    QCOMPARE(QByteArray::fromStdString(error.operation()), operation);
    QCOMPARE(QByteArray::fromStdString(error.inputCaption()), caption);
    QCOMPARE(QByteArray(error.what()), report);

    // The report survives copying and the object it was read from going away.
    const RuntimeError copy = error;
    QCOMPARE(QByteArray(copy.what()), report);
}

void TestNumbers::raiseFunctions_data() {
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("overflow") << ErrorKind::Overflow << QByteArray("Overflow");
    QTest::newRow("float error") << ErrorKind::FloatError << QByteArray("Floating-point error");
    QTest::newRow("control failure")
        << ErrorKind::ControlFailure << QByteArray("Control call failed");
}

void TestNumbers::raiseFunctions() {
    QFETCH(ErrorKind, kind);
    QFETCH(QByteArray, name);

    QCOMPARE(QByteArray::fromStdString(runtime::errorName(kind)), name);
    try {
        switch (kind) {
        case ErrorKind::Overflow:
            runtime::raiseOverflow("step");
        case ErrorKind::FloatError:
            runtime::raiseFloatError("step");
        case ErrorKind::ControlFailure:
            runtime::raiseControlFailure("step");
        }
        QFAIL("nothing was raised");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.kind(), kind);
        QCOMPARE(error.operation(), std::string("step"));
        QVERIFY(error.inputCaption().empty());
        QCOMPARE(QByteArray(error.what()), name + " in step.");
    }
}

void TestNumbers::variantArithmetic_data() {
    QTest::addColumn<bool>("leftInteger");
    QTest::addColumn<double>("left");
    QTest::addColumn<bool>("rightInteger");
    QTest::addColumn<double>("right");
    QTest::addColumn<bool>("product");
    QTest::addColumn<bool>("resultInteger");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("integer product that fits")
        << true << 181.0 << true << 181.0 << true << true << QByteArray("32761");
    QTest::newRow("integer product too large widens")
        << true << 128.0 << true << 256.0 << true << false << QByteArray("32768");
    QTest::newRow("integer product exactly the bottom")
        << true << -128.0 << true << 256.0 << true << true << QByteArray("-32768");
    QTest::newRow("largest integer product widens exactly")
        << true << -32768.0 << true << -32768.0 << true << false << QByteArray("1073741824");
    QTest::newRow("integer times double")
        << true << 4.0 << false << 22.0 / 7.0 << true << false << QByteArray("12.571428571428571");
    QTest::newRow("double times integer")
        << false << 22.0 / 7.0 << true << 7.0 << true << false << QByteArray("22");
    QTest::newRow("whole doubles stay double")
        << false << 2.0 << false << 3.0 << true << false << QByteArray("6");
    QTest::newRow("integer sum that fits")
        << true << 32767.0 << true << -32768.0 << false << true << QByteArray("-1");
    QTest::newRow("integer sum too large widens")
        << true << 32767.0 << true << 1.0 << false << false << QByteArray("32768");
    QTest::newRow("integer sum too small widens")
        << true << -32768.0 << true << -1.0 << false << false << QByteArray("-32769");
    QTest::newRow("integer plus double")
        << true << 2.0 << false << 0.5 << false << false << QByteArray("2.5");
    QTest::newRow("double sum") << false << 0.1 << false << 0.2 << false << false
                                << QByteArray("0.30000000000000004");
}

void TestNumbers::variantArithmetic() {
    QFETCH(bool, leftInteger);
    QFETCH(double, left);
    QFETCH(bool, rightInteger);
    QFETCH(double, right);
    QFETCH(bool, product);
    QFETCH(bool, resultInteger);
    QFETCH(QByteArray, text);

    const Variant a = makeVariant(leftInteger, left);
    const Variant b = makeVariant(rightInteger, right);
    const Variant result = product ? a * b : a + b;
    QCOMPARE(result.isInteger(), resultInteger);
    QCOMPARE(QByteArray::fromStdString(runtime::numberText(result)), text);

    // Either way the value is the one double arithmetic gives on these operands.
    const double expected = product ? left * right : left + right;
    QVERIFY(sameDouble(result.toDouble(), expected));
}

void TestNumbers::floatStatus_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("raises");

    QTest::newRow("no flags") << 0 << false;
    QTest::newRow("inexact alone is ignored") << FE_INEXACT << false;
    QTest::newRow("underflow alone is ignored") << FE_UNDERFLOW << false;
    QTest::newRow("underflow and inexact are ignored") << (FE_UNDERFLOW | FE_INEXACT) << false;
    QTest::newRow("overflow raises") << FE_OVERFLOW << true;
    QTest::newRow("divide by zero raises") << FE_DIVBYZERO << true;
    QTest::newRow("invalid operation raises") << FE_INVALID << true;
    QTest::newRow("overflow with inexact raises") << (FE_OVERFLOW | FE_INEXACT) << true;
}

void TestNumbers::floatStatus() {
    QFETCH(int, flags);
    QFETCH(bool, raises);

    if (flags != 0)
        QCOMPARE(std::feraiseexcept(flags), 0);
    try {
        runtime::testFloatStatus("constant 4/3");
        QVERIFY2(!raises, "no float error raised");
    } catch (const RuntimeError &error) {
        QVERIFY2(raises, error.what());
        QCOMPARE(error.kind(), ErrorKind::FloatError);
        QCOMPARE(error.operation(), std::string("constant 4/3"));
    }
}

void TestNumbers::clearingForgetsFlags() {
    // Real arithmetic rather than raised flags: an overflowing product and a division by zero.
    volatile double large = 1e308;
    volatile double zero = 0.0;
    volatile double product = large * 10.0;
    volatile double quotient = 1.0 / zero;
    QVERIFY(std::isinf(product) && std::isinf(quotient));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, runtime::testFloatStatus("step"));

    runtime::clearFloatStatus();
    QCOMPARE(std::fetestexcept(FE_ALL_EXCEPT), 0);
    runtime::testFloatStatus("step");
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
