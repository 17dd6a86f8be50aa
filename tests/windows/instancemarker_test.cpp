// The mark of a running tool: a hidden top-level window found by its class.
#include "cad/com/win32instancemarker.h"

#include <gtest/gtest.h>

using cad::com::Win32InstanceMarker;

TEST(Win32InstanceMarker, IsFoundByItsClassWhileItLives)
{
    const std::u16string windowClass = u"TMorvMainFormTest";
    EXPECT_FALSE(Win32InstanceMarker::exists(windowClass));
    {
        Win32InstanceMarker marker(windowClass);
        ASSERT_TRUE(marker.isValid());
        EXPECT_TRUE(Win32InstanceMarker::exists(windowClass));
        EXPECT_FALSE(IsWindowVisible(marker.window())) << "never shown";
    }
    EXPECT_FALSE(Win32InstanceMarker::exists(windowClass));
}
