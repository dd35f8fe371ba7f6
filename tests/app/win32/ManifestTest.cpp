// The manifest built into meshfold.exe, where Windows looks for it (type 24,
// id 1, US English), brings version 6 of the common controls.
#include <windows.h>

#include <gtest/gtest.h>

namespace meshfold {
namespace {

TEST(Manifest, BringsVersion6OfTheCommonControls) {
  // Version 6 is reached when the active context sends loads of comctl32.dll to a side-by-side
  // assembly; the test program itself has no manifest, so only meshfold.exe's can do that.
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  const auto redirected = [&data] {
    return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                    &data);
  };
  ASSERT_FALSE(redirected());
  ACTCTXW context(sizeof(ACTCTXW), ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_LANGID_VALID,
                  L"" MESHFOLD_PROGRAM, 0, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), nullptr,
                  MAKEINTRESOURCEW(1), nullptr, nullptr);
  const HANDLE activation = CreateActCtxW(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "none there, or it does not parse: " << GetLastError();
  ULONG_PTR cookie = 0;
  ASSERT_TRUE(ActivateActCtx(activation, &cookie));
  EXPECT_TRUE(redirected());
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(activation);
}

}  // namespace
}  // namespace meshfold
