// Inputs that the fuzz targets of fuzz/ found to break a promise of a reader
// or a writer, kept so that the fault stays mended.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "raster/numeros.h"

using namespace tarno;

// The largest 64-bit values in 15 digits rounded up past the largest value and
// read back as infinity.
TEST(HallazgosFuzz, NumerosExtremosSeEscribenFinitos) {
    for (double v : {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                     std::nextafter(std::numeric_limits<double>::max(), 0.0)}) {
        const std::string t = NumeroArchivo(v);
        double leido;
        ASSERT_TRUE(ConvertirDouble(t, leido)) << t;
        EXPECT_TRUE(std::isfinite(leido)) << t;
        EXPECT_EQ(NumeroArchivo(leido), t);
    }
    EXPECT_EQ(NumeroArchivo(std::numeric_limits<double>::max()), "1.79769313486231E+308");
    EXPECT_EQ(NumeroArchivo(std::numeric_limits<float>::max()), "3.402823E+38");
}
