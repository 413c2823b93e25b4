// Public enumerations of the grid's automation interface; names and values are fixed.
#pragma once

#include <tavix/error.h>  // EErrorTimer lives with the errors it numbers

#include <cstdint>

namespace tavix {

enum EAppearanceConstants : int32_t { tvAppearanceFlat = 0, tvAppearance3D = 1 };

enum EBorderStyles : int32_t { tvBorderNone = 0, tvBorder3D = 2, tvBorderThin = 1 };

// The meaning of a bit depends on the cell type, hence the repeated values.
enum ECellTypeFlags : int32_t {
    tvTextBoxVScrollBar = 8,
    tvTextBoxHScrollBar = 16,
    tvCheckBoxFlat = 8,
    tvCheckBox3State = 16,
    tvComboBtnFlat = 8,
};

enum ECellTypes : int32_t { tvCellText = 0, tvCellCombo = 1, tvCellCheck = 2, tvCellCustomDraw = 3 };

enum EEditResults : int32_t { tvEditResCancel = 0, tvEditResCommit = 1, tvEditResProceed = 2 };

enum EEnsureVisibleColMode : int32_t {
    tvEnsVisColAuto = 0,
    tvEnsVisColLeft = 1,
    tvEnsVisColLeftForce = 2,
    tvEnsVisColRight = 3,
    tvEnsVisColRightForce = 4,
};

enum EEnsureVisibleRowMode : int32_t {
    tvEnsVisRowAuto = 0,
    tvEnsVisRowTop = 1,
    tvEnsVisRowTopForce = 2,
    tvEnsVisRowBottom = 3,
    tvEnsVisRowBottomForce = 4,
};

enum EGridLines : int32_t {
    tvGridLinesNone = 0,
    tvGridLinesVertical = 1,
    tvGridLinesHorizontal = 2,
    tvGridLinesBoth = 3,
};

enum EGridLinesExtendModes : int32_t {
    tvGridLinesExtendNone = 0,
    tvGridLinesExtendRight = 1,
    tvGridLinesExtendDown = 2,
    tvGridLinesExtendBoth = 3,
};

enum EHatchStyles : int32_t {
    tvHatchNone = 7,
    tvHatchBDiagonal = 3,
    tvHatchCross = 4,
    tvHatchDiagCross = 5,
    tvHatchFDiagonal = 2,
    tvHatchHorizontal = 0,
    tvHatchVertical = 1,
};

enum EKeyPressBehaviour : int32_t {
    tvKeyPressNone = 0,
    tvKeyPressEditAppend = 1,
    tvKeyPressEditReplace = 2,
    tvKeyPressSearchCurCol = 3,
    tvKeyPressSearchDefCol = 4,
};

enum EScrollBar : int32_t { tvScrollBarH = 0, tvScrollBarV = 1 };

enum EScrollBarStyles : int32_t { tvScrollBarRegular = 0, tvScrollBarEncarta = 1, tvScrollBarFlat = 2 };

enum ESupportFeatures : int32_t { tvSupFeatXPStyles = 0, tvSupFeatImmedColResizing = 1, tvSupFeatFlatScrollBars = 2 };

enum ETextFormatFlags : int32_t {
    tvTextTop = 0,
    tvTextLeft = 0,
    tvTextCenter = 1,
    tvTextRight = 2,
    tvTextVCenter = 4,
    tvTextBottom = 8,
    tvTextWordBreak = 16,
    tvTextSingleLine = 32,
    tvTextExpandTabs = 64,
    tvTextTabStop = 128,
    tvTextNoClip = 256,
    tvTextEditControl = 8192,
    tvTextPathEllipsis = 16384,
    tvTextEndEllipsis = 32768,
    tvTextRTLReading = 131072,
    tvTextProcessPrefix = 2097152,
};

// What new columns' captions and cells use: one line, cut with an ellipsis.
inline constexpr ETextFormatFlags kDefaultTextFlags { static_cast<ETextFormatFlags>(
    tvTextSingleLine | tvTextEndEllipsis) };

enum ETextEditFlags : int32_t { tvTextEditNumberOnly = 8192, tvTextEditUpperCase = 8, tvTextEditLowerCase = 16 };

enum ESortTypes : int32_t {
    tvSortByValue = 0,
    tvSortByText = 1,
    tvSortByTextNoCase = 2,
    tvSortByIcon = 3,
    tvSortByExtraIcon = 4,
    tvSortByForeColor = 5,
    tvSortByBackColor = 6,
    tvSortByFontIndex = 7,
    tvSortBySelected = 8,
    tvSortByIndentation = 9,
    tvSortByHatch = 10,
    tvSortByCustomer = 11,
};

enum ESortOrders : int32_t { tvSortAsc = 0, tvSortDesc = 1 };

enum ESortInfoStyles : int32_t { tvSortInfoNone = 0, tvSortInfoOnlyIcons = 1, tvSortInfoNumIcons = 2 };

enum ESortIconStyles : int32_t { tvSortIconAuto = 0, tvSortIcon3D = 1, tvSortIconSolid = 2 };

enum EHeaderAutoHeightFlags : int32_t {
    tvHAHOnAddCol = 1,
    tvHAHOnRemoveCol = 2,
    tvHAHOnHideCol = 4,
    tvHAHOnShowCol = 8,
    tvHAHOnContentsChange = 16,
    tvHAHOnThemeChange = 32,
};

enum EHeaderHotTrackFlags : int32_t { tvHdrHotIcon = 1, tvHdrHotText = 2, tvHdrHotSortInfo = 4 };

// The platform's object-safety options.
enum EInterfaceSafety : int32_t { INTERFACESAFE_FOR_UNTRUSTED_CALLER = 1, INTERFACESAFE_FOR_UNTRUSTED_DATA = 2 };

}  // namespace tavix
