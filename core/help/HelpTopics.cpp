#include "help/HelpTopics.h"

#include "colorsets/ColorSetCollection.h"
#include "common/Numbers.h"
#include "common/UiText.h"
#include "params/ParamFields.h"

#include <algorithm>

namespace wavory {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr HelpLevel kNone = HelpLevel::None;
constexpr HelpLevel kBasic = HelpLevel::Basic;
constexpr HelpLevel kAdvanced = HelpLevel::Advanced;

// One topic as the table below writes it: the explanation's two lines (the second may be
// absent), the red note, the level, the labels under the first and the second picture,
// and the two pictures.
struct TopicRow {
    int number;
    const char* title;
    const char* line1;
    const char* line2;
    const char* redNote;
    HelpLevel level;
    const char* left;
    const char* right;
    int firstPicture;
    int secondPicture;
};

// clang-format off
constexpr TopicRow kTopicRows[] = {
    {20, UiText::trNoop("ランダム設定"), UiText::trNoop("パラメータをランダムに決定します。"), UiText::trNoop("最も頻繁に使用するボタンです。"), nullptr, kBasic, nullptr, nullptr, 0, 0},
    {21, UiText::trNoop("べき乗"), UiText::trNoop("この値を上げていくと画像がだんだんとシャープになっていき、"), UiText::trNoop(" さらに上げると直線的な模様になります。"), nullptr, kAdvanced, UiText::trNoop("べき乗 1"), UiText::trNoop("べき乗 32"), 17, 18},
    {22, UiText::trNoop("周期"), UiText::trNoop("ある成分の周期を小さくすると、その成分はより細かい繰り返しパターンとなります。"), nullptr, UiText::trNoop("値はマウスのホイールや↑↓キーでも増減できます（Shift キーで大きく）。"), kBasic, nullptr, nullptr, 0, 0},
    {23, UiText::trNoop("振幅"), UiText::trNoop("ある成分の振幅を大きくすると、その成分が画像に及ぼす影響が大きくなります。"), nullptr, UiText::trNoop("値はマウスのホイールや↑↓キーでも増減できます（Shift キーで大きく）。"), kBasic, nullptr, nullptr, 0, 0},
    {25, UiText::trNoop("画像の中心"), UiText::trNoop("画像を上下左右にスクロールさせるときに使います。"), nullptr, UiText::trNoop("上下左右がつながった画像にしたい時は (0,0) にして下さい。"), kAdvanced, "(0,0)", "(20,20)", 21, 22},
    {26, UiText::trNoop("にじみ"), UiText::trNoop("画像にノイズを与えてにじんだようにします。"), UiText::trNoop("様々な視覚効果が期待できます。"), nullptr, kNone, UiText::trNoop("にじみ 0"), UiText::trNoop("にじみ 256"), 23, 24},
    {27, UiText::trNoop("画像のドラッグ"), UiText::trNoop("ピクチャウィンドウの画像をドラッグすると、画像の中心がマウスの位置に移ります。"), nullptr, UiText::trNoop("ドラッグ中に Esc キーを押すと、画像の中心は元に戻ります。"), kNone, nullptr, nullptr, 0, 0},
    {30, UiText::trNoop("周期２倍"), UiText::trNoop("すべての成分の周期を２倍します。"), UiText::trNoop("感覚的に言うと、視点を画像に近づけるような効果があります。"), nullptr, kNone, nullptr, nullptr, 13, 14},
    {31, UiText::trNoop("周期半分"), UiText::trNoop("すべての成分の周期を1/2にします。"), UiText::trNoop("感覚的に言うと、視点を画像から遠ざけるような効果になります。"), nullptr, kNone, nullptr, nullptr, 15, 16},
    {32, UiText::trNoop("振幅２倍"), UiText::trNoop("すべての成分の振幅を２倍にします。"), UiText::trNoop("変化に乏しい画像により変化をつけます。"), nullptr, kNone, nullptr, nullptr, 9, 10},
    {33, UiText::trNoop("振幅半分"), UiText::trNoop("すべての成分の振幅を1/2にします。"), UiText::trNoop("変化が激しすぎる画像の変化を穏やかにします。"), nullptr, kNone, nullptr, nullptr, 11, 12},
    {40, UiText::trNoop("使用する色セット"), UiText::trNoop("どの色セットを用いて描画するかを指定します。"), nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {41, UiText::trNoop("色セットの編集"), UiText::trNoop("現在選択している色セットの編集ウィンドウを開きます。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {42, UiText::trNoop("色セットの追加"), UiText::trNoop("新しい色セットを作成し、編集します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {43, UiText::trNoop("色セットの削除"), UiText::trNoop("現在選択している色セットを削除します。"), UiText::trNoop("一度削除すると元に戻せません。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {47, UiText::trNoop("位相のずれ"), UiText::trNoop("画像の色見の変更をします。"), UiText::trNoop(" ０％の時と５０％の時とは正反対の色になります。"), nullptr, kNone, "0%", "50%", 19, 20},
    {50, UiText::trNoop("描画"), UiText::trNoop("現在のパラメータで画像を描画します。"), nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {51, UiText::trNoop("保存"), UiText::trNoop("描画した画像を名前を付けて保存します。"), UiText::trNoop("フォーマットはBMP形式、JPEG形式またはPNG形式です。"), nullptr, kBasic, nullptr, nullptr, 0, 0},
    {52, UiText::trNoop("サイズ指定"), UiText::trNoop("作成する画像のサイズを指定します。"), nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {53, UiText::trNoop("描画モード"), UiText::trNoop("より複雑な画像を作成するときに使用します。"), UiText::trNoop("この機能を使うには、まず「通常」で描画した後、別の形の画像を「AND」等で描画してください。"), nullptr, kAdvanced, nullptr, nullptr, 0, 0},
    {54, UiText::trNoop("描画中止"), UiText::trNoop("画像の描画を中止します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {60, UiText::trNoop("色セットの名前"), UiText::trNoop("色セットにつける名前です。"), UiText::trNoop("自由に決められますが、長さは全角で12文字までです。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {61, UiText::trNoop("色決定ポイントの数"), UiText::trNoop("「色の変化」でいくつの色を指定するかを決定します。"), UiText::trNoop("多いほど派手なグラデーションを作成できますが、通常は4～7程度で十分です。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {62, UiText::trNoop("段階数"), UiText::trNoop("この値が高いほど、グラデーションが滑らかになります。"), UiText::trNoop("この値を低くして描画すると、線のはっきりした幾何学的模様の画像になります。"), nullptr, kAdvanced, UiText::trNoop("1段階"), UiText::trNoop("256段階"), 25, 26},
    {63, UiText::trNoop("色の変化"), UiText::trNoop("色セット編集のメインとなる部分で、どの部分でどのような色を使うかを指定します。"), UiText::trNoop("色決定ポイント(四角)をクリックをすると色を変更できます。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {64, UiText::trNoop("色決定ポイント"), UiText::trNoop("クリックすると色を変更できます。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {65, UiText::trNoop("両端の色を一致させる"), UiText::trNoop("両端の色決定ポイントの色が一致していないと、描画画像が滑らかになりません。"), UiText::trNoop("これをチェックしておけば、自動的に両端の色が同じになります。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {66, UiText::trNoop("色のランダム決定"), UiText::trNoop("全ての色決定ポイントの色をランダムに設定します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {70, UiText::trNoop("枠を描く"), UiText::trNoop("これがチェックされていると、枠の描画が有効になります。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {71, UiText::trNoop("色"), UiText::trNoop("枠の色です。"), UiText::trNoop("クリックすると変更できます。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {72, UiText::trNoop("全体の色の濃さ"), UiText::trNoop("小さければ枠がぼやけた感じになり、大きければ枠部分全体の色が濃くなります。"), UiText::trNoop("最大値の50にすると完全にベタ塗りになります。"), nullptr, kNone, "0", "50", 27, 28},
    {73, UiText::trNoop("右下部分の色の暗さ"), UiText::trNoop("この値が高いほど枠の右下の部分が暗くなり、これが影の役目をして立体的に見えます。"), nullptr, nullptr, kNone, "0", "50", 29, 30},
    {74, UiText::trNoop("境界線の鮮明さ"), UiText::trNoop("このパラメータが大きいほど枠の境界線が鮮明になります。"), nullptr, nullptr, kNone, "0", "50", 31, 32},
    {77, UiText::trNoop("枠のサイズ"), UiText::trNoop("枠の横幅・縦幅を指定します。"), UiText::trNoop("最小値は 1、最大値は画像サイズの縦幅・横幅の半分です。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {80, UiText::trNoop("ランダム設定時の画像の傾向"), UiText::trNoop("「ランダム設定」した時に生成される周期・振幅の平均値を調整できます。"), UiText::trNoop("赤い点が現在の設定値を表します。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {81, UiText::trNoop("初期値"), UiText::trNoop("設定値(赤い点)を初期値(中心)に戻します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {82, UiText::trNoop("ランダム設定されるパラメータ"), UiText::trNoop("「ランダム設定」時に、各パラメータが変化するか変化しないかを指定します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {83, UiText::trNoop("連携するアプリケーションのパス"), UiText::trNoop("「連携ｱﾌﾟﾘｹｰｼｮﾝで編集」で起動するアプリケーションのパスを指定します。"), UiText::trNoop("アプリケーションはBMPファイルのドラッグドロップに対応している必要があります。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {90, UiText::trNoop("描画終了後に音を鳴らす"), UiText::trNoop("描画が終了した後にWindowsのBEEP音を鳴らします。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {91, UiText::trNoop("起動時にウェルカムダイアログを表示"), UiText::trNoop("Wavoryの起動時に「Welcome to Wavory」のダイアログを表示します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {92, UiText::trNoop("終了する前に確認ダイアログを表示"), UiText::trNoop("Wavoryを終了する前に確認のダイアログを表示します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {93, UiText::trNoop("ランダム設定と同時に描画"), UiText::trNoop("ランダム設定した後に自動的に描画するようにします。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {94, UiText::trNoop("画像保存と同時に「テキストファイルへ書き出し」を実行"), UiText::trNoop("画像を保存する時に自動的に「テキストファイルへ書き出し」を実行するようにします。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {95, UiText::trNoop("描画後メインウィンドウにフォーカスを戻す"), UiText::trNoop("描画するとフォーカスがピクチャウィンドウに移りますが、"), UiText::trNoop("これをチェックしておけば描画後メインウィンドウにフォーカスが戻ります。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {96, UiText::trNoop("値変更と同時に描画"), UiText::trNoop("パラメータを変更すると自動的に描画するようにします。"), nullptr, UiText::trNoop("大きな画像では先に粗いプレビューを表示し、続けて正確な画像を描画します。"), kNone, nullptr, nullptr, 0, 0},
    {120, UiText::trNoop("位相のずれ"), UiText::trNoop("アニメーション１周期の、最初のフレームと最後のフレームの「位相のずれ」を指定します。"), UiText::trNoop("通常は「０％から９９％まで」で構いません。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {121, UiText::trNoop("フレーム数"), UiText::trNoop("アニメーション１周期のフレーム数を指定します。"), UiText::trNoop("フレーム数が少ないとチカチカしたアニメになり、多いほど滑らかなアニメになります。"), nullptr, kNone, nullptr, nullptr, 0, 0},
    {125, UiText::trNoop("作成"), UiText::trNoop("アニメーションの各フレームの描画を開始します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {126, UiText::trNoop("作成中止"), UiText::trNoop("アニメーションの描画を中止します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {127, UiText::trNoop("プレビュー"), UiText::trNoop("作成したアニメーションをプレビューするウィンドウを表示します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {130, UiText::trNoop("保存するフォルダ"), UiText::trNoop("アニメーションのBMPファイル群を保存するフォルダを指定します｡ "), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {131, UiText::trNoop("ベースファイル名"), UiText::trNoop("ファイル名の先頭につく文字列を指定します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {132, UiText::trNoop("連番の開始数字と桁数"), UiText::trNoop("ベースファイル名に続く連番の、開始番号と桁数を指定します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {135, UiText::trNoop("保存"), UiText::trNoop("作成したアニメーションをBMPファイル群として保存します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {136, UiText::trNoop("保存中止"), UiText::trNoop("保存を中断します。"), nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
};
// clang-format on

// Topic 42 names the collection's capacity in its second line.
constexpr int kAddColorSetTopic = 42;
constexpr const char* kCapacityLine = UiText::trNoop("色セットは最大%1個まで作成できます。");

constexpr const char* kComponentExplanation = UiText::trNoop(
    "左側のチェックボックスをオン／オフすることによって成分を有効／無効にできます。");
// Component 2 (diagonal) never joins up at the image's edges.
constexpr int kSeamComponent = 2;
constexpr const char* kSeamNote =
    UiText::trNoop("上下左右つながった画像にしたい時はこの成分をオフにしてください。");

// The table keeps the Japanese texts; a topic is translated when it is asked for, so it
// is in the language installed at start.
HelpTopic fromRow(const TopicRow& row) {
    HelpTopic t;
    t.title = UiText::tr(row.title);
    t.explanation = UiText::tr(row.line1);
    if (row.line2) {
        t.explanation += kCrLf;
        t.explanation += UiText::tr(row.line2);
    }
    if (row.number == kAddColorSetTopic) {
        t.explanation += kCrLf;
        t.explanation +=
            fillText(UiText::tr(kCapacityLine), {std::to_string(ColorSetCollection::kCapacity)});
    }
    if (row.redNote)
        t.redNote = UiText::tr(row.redNote);
    t.level = row.level;
    if (row.left && row.right)
        t.range = std::pair<std::string, std::string>{UiText::tr(row.left), UiText::tr(row.right)};
    t.firstPicture = row.firstPicture;
    t.secondPicture = row.secondPicture;
    return t;
}

// A component switch: its own caption and picture 1..8 of that component alone.
HelpTopic componentTopic(int k) {
    HelpTopic t;
    t.title = UiText::tr(kComponentNames[static_cast<std::size_t>(k)]);
    t.explanation = UiText::tr(kComponentExplanation);
    if (k == kSeamComponent)
        t.redNote = UiText::tr(kSeamNote);
    t.firstPicture = k + 1;
    return t;
}

} // namespace

HelpTopic helpTopic(int number) {
    if (number >= kFirstComponentTopic && number < kFirstComponentTopic + kComponentCount)
        return componentTopic(number - kFirstComponentTopic);
    for (const TopicRow& row : kTopicRows) {
        if (row.number == number)
            return fromRow(row);
    }
    return {};
}

std::vector<int> helpTopicNumbers() {
    std::vector<int> numbers;
    for (int k = 0; k < kComponentCount; ++k)
        numbers.push_back(kFirstComponentTopic + k);
    for (const TopicRow& row : kTopicRows)
        numbers.push_back(row.number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string levelBadgeText(HelpLevel level) {
    switch (level) {
    case HelpLevel::Basic:
        return UiText::tr("基本");
    case HelpLevel::Advanced:
        return UiText::tr("中・上級者向け機能");
    case HelpLevel::None:
        break;
    }
    return {};
}

int bannerRampChannel(int c, int b) {
    return static_cast<int>(roundHalfEven(255.0 - (255.0 - c) * b / kBannerRampLast));
}

int bannerCaptionChannel(int c) {
    return static_cast<int>(roundHalfEven(255.0 - (255.0 - c) * 0.64));
}

} // namespace wavory
