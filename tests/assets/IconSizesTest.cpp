#include "ArtBook.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

// Every icon size is a drawing of its own: a round, see-through-cornered picture of its size,
// never the next smaller one blown up.
TEST(IconSizes, EachSizeIsDrawnForItselfNotEnlarged)
{
    ArtKit kit;
    std::string error;
    ASSERT_TRUE(kit.Load(ArtSourceFolder().string(), error)) << error;
    Canvas smaller;
    for (const int size : iconSizes) {
        SCOPED_TRACE(size);
        const Canvas icon = DrawGameIcon(kit, size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        EXPECT_EQ(icon.At(0, 0).a, 0);
        EXPECT_EQ(icon.At(size - 1, size - 1).a, 0);
        EXPECT_EQ(icon.At(size / 2, size / 2).a, 255);
        if (smaller.Width() > 0 && size % smaller.Width() == 0) {
            EXPECT_NE(icon.Pixels(), smaller.Enlarged(size / smaller.Width()).Pixels());
        }
        smaller = icon;
    }
}
