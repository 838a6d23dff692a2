// The indicator pictures beside the program: loaded through the image functions, a missing one
// left null, owned by a holder that frees them and cannot be copied.
#include "gdiplus_utils.h"
#include "indicator_images_win.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <type_traits>

static_assert(!std::is_copy_constructible_v<IndicatorImages> && !std::is_copy_assignable_v<IndicatorImages>,
              "a copy would delete the pictures twice");
static_assert(std::is_convertible_v<const OwnedBitmap&, Gdiplus::Bitmap*>,
              "the pictures read as the borrowed pointers the controls take");

TEST(IndicatorImages, LoadsThePicturesThereAndLeavesAMissingOneNull) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "Image");
    const struct {
        const char* name;
        int width;
    } pictures[] = {{"Image\\HumanNobody.png", 11}, {"Image\\HumanMotionless.png", 13}};
    for (const auto& p : pictures) {
        std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus_CreateColorBmp(p.width, 7, 0xFF336699));
        ASSERT_EQ(Gdiplus_SaveBitmapToFileA(picture.get(), folder.File(p.name).c_str()), 1);
    }

    IndicatorImages images;
    images.Load(folder.Path().string().c_str());
    ASSERT_NE(images.nobody.get(), nullptr);
    ASSERT_NE(images.motionless.get(), nullptr);
    EXPECT_EQ(images.motion.get(), nullptr); // HumanMotion.png is missing
    EXPECT_EQ(images.nobody.get()->GetWidth(), 11u);
    EXPECT_EQ(images.motionless.get()->GetWidth(), 13u);

    // Loading again replaces the pictures (GDI+ keeps a loaded file open, so it can only be
    // removed once its picture is freed).
    images.Load(folder.Path().string().c_str());
    EXPECT_NE(images.nobody.get(), nullptr);
    images.Free();
    EXPECT_EQ(images.nobody.get(), nullptr);
    EXPECT_EQ(images.motionless.get(), nullptr);
    std::filesystem::remove(folder.File("Image\\HumanNobody.png"));
    images.Load(folder.Path().string().c_str());
    EXPECT_EQ(images.nobody.get(), nullptr);
    EXPECT_NE(images.motionless.get(), nullptr);
}
