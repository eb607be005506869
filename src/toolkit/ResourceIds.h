#pragma once

// Numbers of the program's resources and of the controls of its dialog templates.
namespace resource {

// Dialog templates.
constexpr int kAboutDialog = 100;
constexpr int kMainDialog = 102;
constexpr int kTradeListDialog = 129;
constexpr int kInputPriceDialog = 142;
constexpr int kCollectionDialog = 143;

// Icons, bitmaps, menus, toolbars and strings.
constexpr int kAppIcon = 128;
constexpr int kAnimationIcon = 133;
constexpr int kCardImages =
    130; ///< 16 x 16 images: set-and-rarity symbols, HOT set, HOT clear (see card_grid)
constexpr int kTrayMenu = 132;
constexpr int kMenuImages = 139;
constexpr int kMainMenu = 141;
constexpr int kAboutMenuString = 101;

// Standard buttons of every template: accept and cancel the dialog.
constexpr int kOk = 1;
constexpr int kCancel = 2;

// Main window (template 102).
constexpr int kSearchGroup = 1030;
constexpr int kSearchEdit = 1031;
constexpr int kSearchButton = 1032;
constexpr int kCorrectPriceButton = 1033;
constexpr int kPutIntoListButton = 1034;
constexpr int kCardsGroup = 1035;
constexpr int kCardGrid = 1036;

// About box (template 100).
constexpr int kAboutIconControl = 1040;
constexpr int kVersionLine = 1041;
constexpr int kFixedLine = 1042;
constexpr int kContactLink = 1043;
constexpr int kHomePageLink = 1044;
constexpr int kDonationLink = 1045;

// Trade list (template 129).
constexpr int kTradeGrid = 1005;
constexpr int kAdvertiseButton = 1011;
constexpr int kBoughtButton = 1012;
constexpr int kSoldButton = 1013;
constexpr int kRemoveButton = 1014;
constexpr int kRemoveAllButton = 1015;
constexpr int kTotalValueLabel = 1016;
constexpr int kLoadButton = 1017;
constexpr int kSaveButton = 1018;

// Input price (template 142).
constexpr int kBulkPriceEdit = 1000;
constexpr int kCommentsEdit = 1023;
constexpr int kBulkPriceLabel = 1051;
constexpr int kCommentsLabel = 1052;

// Collection and transaction log (template 143).
constexpr int kCollectionGrid = 1002;
constexpr int kRefreshButton = 1024;
constexpr int kWorthLabel = 1025;

} // namespace resource
