<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Ui</name>
    <message>
        <source>メモリ不足のため描画できません。画像サイズを小さくして下さい。</source>
        <translation>Not enough memory to draw. Please make the image smaller.</translation>
    </message>
    <message>
        <source>フレーム %1 は作成されていません。</source>
        <translation>Frame %1 has not been made.</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
はすでに存在します。<byte value="xd"/>
このファイルと以降全てのファイルについて、上書き保存しますか？</source>
        <translation>%1<byte value="xd"/>
already exists.<byte value="xd"/>
Overwrite this file and all the following ones?</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>使用する色セット(&amp;C) :</source>
        <translation>&amp;Color set:</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>最後の１個は削除できません。</source>
        <translation>The last color set cannot be removed.</translation>
    </message>
    <message>
        <source>すべての色セットを初期化します。<byte value="xd"/>
本当によろしいですか？</source>
        <translation>All color sets will be reset to the built-in ones.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>色セット &apos;%1&apos; を削除してよろしいですか？</source>
        <translation>Remove the color set &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>GIMPグラデーション・パレット(*.ggr;*.gpl)|*.ggr;*.gpl|すべてのﾌｧｲﾙ|*.*</source>
        <translation>GIMP Gradients and Palettes (*.ggr;*.gpl)|*.ggr;*.gpl|All Files|*.*</translation>
    </message>
    <message>
        <source>GIMPグラデーション(*.ggr)|*.ggr</source>
        <translation>GIMP Gradient (*.ggr)|*.ggr</translation>
    </message>
    <message>
        <source>GIMPパレット(*.gpl)|*.gpl</source>
        <translation>GIMP Palette (*.gpl)|*.gpl</translation>
    </message>
    <message>
        <source>画像(*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|すべてのﾌｧｲﾙ|*.*</source>
        <translation>Images (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|All Files|*.*</translation>
    </message>
    <message>
        <source>画像を読み込めませんでした。<byte value="xd"/>
%1</source>
        <translation>The picture could not be read.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>画像を読み込めませんでした。<byte value="xd"/>
PNG、JPEG、BMP のどれでもないか、壊れています。</source>
        <translation>The picture could not be read.<byte value="xd"/>
It is not a PNG, JPEG or BMP file, or it is damaged.</translation>
    </message>
    <message>
        <source>継ぎ目なしにする</source>
        <translation>Make Seamless</translation>
    </message>
    <message>
        <source>GIMPのグラデーション・パレットを読み込む(&amp;L)...</source>
        <translation>&amp;Load GIMP Gradient or Palette...</translation>
    </message>
    <message>
        <source>色セットをGIMPグラデーションとして保存(&amp;G)...</source>
        <translation>Save Color Set as GIMP &amp;Gradient...</translation>
    </message>
    <message>
        <source>色セットをGIMPパレットとして保存(&amp;P)...</source>
        <translation>Save Color Set as GIMP &amp;Palette...</translation>
    </message>
    <message>
        <source>画像から色セットを作る(&amp;I)</source>
        <translation>Color Set from &amp;Image</translation>
    </message>
    <message>
        <source>%1 色...</source>
        <translation>%1 Colors...</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ(*.bmp)|*.bmp|Jpegｲﾒｰｼﾞ(*.jpg)|*.jpg|PNGｲﾒｰｼﾞ(*.png)|*.png</source>
        <translation>Bitmap Image (*.bmp)|*.bmp|JPEG Image (*.jpg)|*.jpg|PNG Image (*.png)|*.png</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ|*.*</source>
        <translation>Text Files (*.txt)|*.txt|All Files|*.*</translation>
    </message>
    <message>
        <source>色セット(*.cst)|*.cst|すべてのﾌｧｲﾙ|*.*</source>
        <translation>Color Sets (*.cst)|*.cst|All Files|*.*</translation>
    </message>
    <message>
        <source>名称未設定</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>2次元グラデーション画像作成ツール</source>
        <translation>A tool for two-dimensional gradation images</translation>
    </message>
    <message>
        <source>システム情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available at this time.</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>アニメーションが作成されました。</source>
        <translation>The animation is ready.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>位相のずれ(&amp;I)</source>
        <translation>Phase sh&amp;ift</translation>
    </message>
    <message>
        <source>% から</source>
        <translation>% to</translation>
    </message>
    <message>
        <source>% まで</source>
        <translation>%</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>作成(&amp;M)</source>
        <translation>&amp;Make</translation>
    </message>
    <message>
        <source>作成中止(&amp;M)</source>
        <translation>Stop &amp;Making</translation>
    </message>
    <message>
        <source>プレビュｰ(&amp;P)</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存するフォルダ(&amp;F) :</source>
        <translation>&amp;Folder:</translation>
    </message>
    <message>
        <source>新規フォルダ(&amp;C)</source>
        <translation>&amp;Create Folder</translation>
    </message>
    <message>
        <source>ベースファイル名(&amp;B) :</source>
        <translation>&amp;Base name:</translation>
    </message>
    <message>
        <source>連番(&amp;N) :</source>
        <translation>&amp;Numbering:</translation>
    </message>
    <message>
        <source>%1桁</source>
        <translation>%1 digits</translation>
    </message>
    <message>
        <source>形式(&amp;T) :</source>
        <translation>File &amp;type:</translation>
    </message>
    <message>
        <source>BMPファイル群 (連番.bmp)</source>
        <translation>BMP files (numbered .bmp)</translation>
    </message>
    <message>
        <source>アニメーションWebP (.webp)</source>
        <translation>Animated WebP (.webp)</translation>
    </message>
    <message>
        <source>アニメーションGIF (.gif)</source>
        <translation>Animated GIF (.gif)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存中止(&amp;S)</source>
        <translation>&amp;Stop Saving</translation>
    </message>
    <message>
        <source>位相のずれの下限</source>
        <translation>first phase shift</translation>
    </message>
    <message>
        <source>位相のずれの上限</source>
        <translation>last phase shift</translation>
    </message>
    <message>
        <source>作成中...%1 /%2 フレーム</source>
        <translation>Making... %1 / %2 frames</translation>
    </message>
    <message>
        <source>連番の開始番号</source>
        <translation>first number</translation>
    </message>
    <message>
        <source>保存中...%1 /%2 フレーム</source>
        <translation>Saving... %1 / %2 frames</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
新規フォルダの作成に失敗しました。</source>
        <translation>%1<byte value="xd"/>
The folder could not be created.</translation>
    </message>
    <message>
        <source>アニメーション&#x3000;プレビュー</source>
        <translation>Animation Preview</translation>
    </message>
    <message>
        <source> 速い </source>
        <translation> Fast </translation>
    </message>
    <message>
        <source> 遅い </source>
        <translation> Slow </translation>
    </message>
    <message>
        <source>現在:%1ﾌﾚｰﾑ ... 速度:%2 秒/ﾌﾚｰﾑ</source>
        <translation>Frame %1 ... %2 s/frame</translation>
    </message>
    <message>
        <source>枠</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>枠を描く</source>
        <translation>Draw a frame</translation>
    </message>
    <message>
        <source>枠のパラメータ</source>
        <translation>Frame parameters</translation>
    </message>
    <message>
        <source>枠の色 :</source>
        <translation>Frame color:</translation>
    </message>
    <message>
        <source>全体の&#x3000;&#x3000;色の濃さ :</source>
        <translation>Overall strength:</translation>
    </message>
    <message>
        <source>右下部分の色の暗さ :</source>
        <translation>Shadow (lower right):</translation>
    </message>
    <message>
        <source>境界線の  鮮明さ :</source>
        <translation>Edge sharpness:</translation>
    </message>
    <message>
        <source>枠のサイズ</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>縦横比を固定</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>色セットの編集</source>
        <translation>Edit Color Set</translation>
    </message>
    <message>
        <source>色セットの名前(&amp;N)</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>色決定ポイントの数(&amp;C)</source>
        <translation>&amp;Color points</translation>
    </message>
    <message>
        <source>段階数(&amp;L)</source>
        <translation>&amp;Levels</translation>
    </message>
    <message>
        <source>色の変化</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>両端の色は一致させる(&amp;E)</source>
        <translation>Same color at both &amp;ends</translation>
    </message>
    <message>
        <source>ランダム決定(&amp;R)</source>
        <translation>&amp;Random</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>色調操作(&amp;C)</source>
        <translation>&amp;Adjust</translation>
    </message>
    <message>
        <source>明度の調整(&amp;B)...</source>
        <translation>&amp;Brightness...</translation>
    </message>
    <message>
        <source>ネガ(&amp;N)</source>
        <translation>&amp;Negative</translation>
    </message>
    <message>
        <source>色相を120度回転(&amp;R)</source>
        <translation>&amp;Rotate Hue by 120°</translation>
    </message>
    <message>
        <source>単色化(&amp;M)...</source>
        <translation>&amp;Monochrome...</translation>
    </message>
    <message>
        <source>新規フォルダ</source>
        <translation>New Folder</translation>
    </message>
    <message>
        <source>新規フォルダ名 : </source>
        <translation>New folder name: </translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>「ランダム設定」ボタンを押して「描画」するだけで、
いろいろなグラデーション画像が作れます。
気に入った形は周期や振幅を変えて仕上げてください。</source>
        <translation>Just press &quot;Random Setting&quot; and then &quot;Draw&quot; to make
all kinds of gradation images.
When you like a shape, finish it by changing its periods and amplitudes.</translation>
    </message>
    <message>
        <source>次回起動時もこの画面を表示</source>
        <translation>Show this window at the next start</translation>
    </message>
    <message>
        <source>簡易ヘルプ</source>
        <translation>Quick Help</translation>
    </message>
    <message>
        <source>Jpeg保存時のオプション</source>
        <translation>JPEG Options</translation>
    </message>
    <message>
        <source>プログレッシブJpeg</source>
        <translation>Progressive JPEG</translation>
    </message>
    <message>
        <source>品質の詳細設定 :</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>ﾋﾟｸﾁｬ</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>描画(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>描画モード</source>
        <translation>Draw mode</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>ｻｲｽﾞ指定(&amp;U)...</source>
        <translation>Si&amp;ze...</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>クリップボードへコピー(&amp;C)</source>
        <translation>&amp;Copy to Clipboard</translation>
    </message>
    <message>
        <source>連携ｱﾌﾟﾘｹｰｼｮﾝで編集(&amp;E)</source>
        <translation>&amp;Edit in Linked Application</translation>
    </message>
    <message>
        <source>テキストファイルへ書き出し(&amp;O)...</source>
        <translation>Write Parameters to &amp;Text File...</translation>
    </message>
    <message>
        <source>テキストファイルから読み込み(&amp;I)...</source>
        <translation>&amp;Read Parameters from Text File...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ピクチャ(&amp;P)</source>
        <translation>&amp;Picture</translation>
    </message>
    <message>
        <source>描画アンドゥ(&amp;Z)</source>
        <translation>&amp;Undo Drawing</translation>
    </message>
    <message>
        <source>タイル表示してみる(&amp;T)</source>
        <translation>&amp;Tile View</translation>
    </message>
    <message>
        <source>サイズ指定(&amp;U)...</source>
        <translation>Image &amp;Size...</translation>
    </message>
    <message>
        <source>形(&amp;W)</source>
        <translation>&amp;Shape</translation>
    </message>
    <message>
        <source>ランダム設定(&amp;R)</source>
        <translation>&amp;Random Setting</translation>
    </message>
    <message>
        <source>周期２倍(&amp;B)</source>
        <translation>&amp;Double Periods</translation>
    </message>
    <message>
        <source>周期半分(&amp;E)</source>
        <translation>&amp;Halve Periods</translation>
    </message>
    <message>
        <source>振幅２倍(&amp;S)</source>
        <translation>Double &amp;Amplitudes</translation>
    </message>
    <message>
        <source>振幅半分(&amp;W)</source>
        <translation>Halve A&amp;mplitudes</translation>
    </message>
    <message>
        <source>色(&amp;E)</source>
        <translation>&amp;Color</translation>
    </message>
    <message>
        <source>色セットの編集(&amp;E)...</source>
        <translation>&amp;Edit Color Set...</translation>
    </message>
    <message>
        <source>色セットのコピー(&amp;C)...</source>
        <translation>&amp;Copy Color Set...</translation>
    </message>
    <message>
        <source>色セットの追加(&amp;A)...</source>
        <translation>&amp;Add Color Set...</translation>
    </message>
    <message>
        <source>色セットの削除(&amp;R)</source>
        <translation>&amp;Remove Color Set</translation>
    </message>
    <message>
        <source>色セットの読み込み(&amp;L)...</source>
        <translation>&amp;Load Color Sets...</translation>
    </message>
    <message>
        <source>色セットの保存(&amp;S)...</source>
        <translation>&amp;Save Color Set...</translation>
    </message>
    <message>
        <source>全ての色セットを保存(&amp;C)</source>
        <translation>Save All Color Se&amp;ts</translation>
    </message>
    <message>
        <source>色セットの初期化(&amp;I)</source>
        <translation>&amp;Initialize Color Sets</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ピクチャウィンドウの表示(&amp;P)</source>
        <translation>&amp;Picture Window</translation>
    </message>
    <message>
        <source>枠ウィンドウの表示(&amp;B)</source>
        <translation>&amp;Frame Window</translation>
    </message>
    <message>
        <source>ヘルプウィンドウの表示(&amp;H)</source>
        <translation>&amp;Help Window</translation>
    </message>
    <message>
        <source>ウィンドウの整列(&amp;O)</source>
        <translation>Arrange &amp;Windows</translation>
    </message>
    <message>
        <source>簡易アニメーション作成(&amp;A)...</source>
        <translation>Simple &amp;Animation...</translation>
    </message>
    <message>
        <source>オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次...</source>
        <translation>Contents...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About Wavory...</translation>
    </message>
    <message>
        <source>拡張(&amp;X)</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>描画中止(&amp;C)</source>
        <translation>S&amp;top Drawing</translation>
    </message>
    <message>
        <source>ランダム設定するパラメータは最低一つを選択してください。</source>
        <translation>Please choose at least one parameter for the random setting.</translation>
    </message>
    <message>
        <source>パスが不正です。</source>
        <translation>The path is not valid.</translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ|*</source>
        <translation>All Files|*</translation>
    </message>
    <message>
        <source>描画終了後に音を鳴らす</source>
        <translation>Beep when a drawing is finished</translation>
    </message>
    <message>
        <source>起動時にウェルカムダイアログを表示</source>
        <translation>Show the welcome window at start</translation>
    </message>
    <message>
        <source>終了する前に確認ダイアログを表示</source>
        <translation>Ask before exiting</translation>
    </message>
    <message>
        <source>ランダム設定と同時に描画</source>
        <translation>Draw after a random setting</translation>
    </message>
    <message>
        <source>画像保存と同時に「テキストファイルへ書き出し」を実行</source>
        <translation>Write the parameters to a text file when saving an image</translation>
    </message>
    <message>
        <source>描画後メインウィンドウにフォーカスを戻す</source>
        <translation>Return the focus to the main window after drawing</translation>
    </message>
    <message>
        <source>値の変更と同時に描画</source>
        <translation>Draw as soon as a value changes</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>ランダム設定</source>
        <translation>Random Setting</translation>
    </message>
    <message>
        <source>連携アプリ</source>
        <translation>Linked Application</translation>
    </message>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>ランダム設定するパラメータ</source>
        <translation>Parameters to randomize</translation>
    </message>
    <message>
        <source>周期</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>振幅</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>成分のオン／オフ</source>
        <translation>Components on/off</translation>
    </message>
    <message>
        <source>画像の中心</source>
        <translation>Image center</translation>
    </message>
    <message>
        <source>にじみ</source>
        <translation>Bleed</translation>
    </message>
    <message>
        <source>べき乗</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>使用色セット</source>
        <translation>Color set</translation>
    </message>
    <message>
        <source>ランダム設定時の画像の傾向 :</source>
        <translation>Tendency of random images:</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>連携するアプリケーションのパス :</source>
        <translation>Path of the linked application:</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>明度の調整</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>ｻｲｽﾞ指定</source>
        <translation>Image Size</translation>
    </message>
    <message>
        <source>幅 :</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高さ :</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>4~3000 の整数で指定して下さい。</source>
        <translation>Please enter a whole number from 4 to 3000.</translation>
    </message>
    <message>
        <source>タイル表示</source>
        <translation>Tile View</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>文字の試し書き&amp;S)</source>
        <translation>&amp;Sample Text</translation>
    </message>
    <message>
        <source>入力(&amp;I)</source>
        <translation>&amp;Input</translation>
    </message>
    <message>
        <source>色(&amp;C)</source>
        <translation>&amp;Color</translation>
    </message>
    <message>
        <source>フォント(&amp;F)</source>
        <translation>&amp;Font</translation>
    </message>
    <message>
        <source>ヘルプを表示できません。<byte value="xd"/>
Ret=%1</source>
        <translation>The help cannot be shown.<byte value="xd"/>
Ret=%1</translation>
    </message>
    <message>
        <source>連携するアプリケーションを正しく設定してください。</source>
        <translation>Please set up the linked application correctly.</translation>
    </message>
    <message>
        <source>保存中...</source>
        <translation>Saving...</translation>
    </message>
    <message>
        <source>プログラムフォルダにロックファイルを作成できないため、二重起動を確認できません。<byte value="xd"/>
終了時に設定・色セット・描画のパラメータを保存しません。</source>
        <translation>No lock file can be created in the program folder, so a second running copy cannot be detected.<byte value="xd"/>
The settings, color sets and drawing parameters will not be saved at exit.</translation>
    </message>
    <message>
        <source>二重起動はできません。</source>
        <translation>Wavory is already running.</translation>
    </message>
    <message>
        <source>Wavoryを終了します。<byte value="xd"/>
よろしいですか？</source>
        <translation>Wavory will now exit.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>振幅大</source>
        <translation>Large amplitude</translation>
    </message>
    <message>
        <source>振幅小</source>
        <translation>Small amplitude</translation>
    </message>
    <message>
        <source>周期小</source>
        <translation>Short
period</translation>
    </message>
    <message>
        <source>周期大</source>
        <translation>Long
period</translation>
    </message>
    <message>
        <source>形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>Ｘ</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Ｙ</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>ﾗﾝﾀﾞﾑ設定(&amp;R)</source>
        <translation>&amp;Random Setting</translation>
    </message>
    <message>
        <source>周期２倍</source>
        <translation>Period ×2</translation>
    </message>
    <message>
        <source>周期半分</source>
        <translation>Period ÷2</translation>
    </message>
    <message>
        <source>振幅２倍</source>
        <translation>Amplitude ×2</translation>
    </message>
    <message>
        <source>振幅半分</source>
        <translation>Amplitude ÷2</translation>
    </message>
    <message>
        <source>標準フォントの設定に失敗しました。</source>
        <translation>The standard font could not be set.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; を入力してください。</source>
        <translation>Please enter the %1.</translation>
    </message>
    <message>
        <source>履歴(&amp;H)...</source>
        <translation>&amp;History...</translation>
    </message>
    <message>
        <source>バリエーション(&amp;V)...</source>
        <translation>&amp;Variations...</translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>終了後も履歴を保持する</source>
        <translation>Keep the history after exit</translation>
    </message>
    <message>
        <source>画像も戻せます</source>
        <translation>The picture can be brought back too</translation>
    </message>
    <message>
        <source>パラメータのみ戻せます</source>
        <translation>Only the parameters can be brought back</translation>
    </message>
    <message>
        <source>描画中…</source>
        <translation>Drawing…</translation>
    </message>
    <message>
        <source>描画できません</source>
        <translation>Cannot draw</translation>
    </message>
    <message>
        <source>バリエーション</source>
        <translation>Variations</translation>
    </message>
    <message>
        <source>この値を使う</source>
        <translation>Use these values</translation>
    </message>
    <message>
        <source>ばらつき</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>新しく作る</source>
        <translation>New Set</translation>
    </message>
    <message>
        <source>履歴をすべて消去します。<byte value="xd"/>
よろしいですか？</source>
        <translation>The whole history will be cleared.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>Welocome To Wavory</source>
        <translation>Welcome to Wavory</translation>
    </message>
</context>
<context>
    <name>UiText</name>
    <message>
        <source>フレームがありません。</source>
        <translation>A frame is missing.</translation>
    </message>
    <message>
        <source>フレームの大きさが揃っていません。</source>
        <translation>The frames are not all of one size.</translation>
    </message>
    <message>
        <source>保存を中止しました。</source>
        <translation>Saving was stopped.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が不正です。</source>
        <translation>The file name is not valid.</translation>
    </message>
    <message>
        <source>連番の桁数が足りません。</source>
        <translation>Too few digits for the numbering.</translation>
    </message>
    <message>
        <source>フレームを保存する領域が足りないため、アニメーションを作成できません。<byte value="xd"/>
%1 × %2 のフレーム %3 枚には最大 %4 が必要ですが、使えるのはメモリ %5 と %6 の空き %7 です。<byte value="xd"/>
フレーム数か画像サイズを小さくして下さい。</source>
        <translation>There is not enough room to keep the frames, so the animation cannot be made.<byte value="xd"/>
%3 frames of %1 × %2 need up to %4, but only %5 of memory and %7 free in %6 are available.<byte value="xd"/>
Please use fewer frames or a smaller image.</translation>
    </message>
    <message>
        <source>フレーム番号が不正です。</source>
        <translation>The frame number is not valid.</translation>
    </message>
    <message>
        <source>フレームを圧縮できません。<byte value="xd"/>
%1</source>
        <translation>The frame cannot be compressed.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>フレームを一時ファイルに書き込めません。<byte value="xd"/>
%1</source>
        <translation>The frame cannot be written to the temporary file.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; を入力してください。</source>
        <translation>Please enter the %1.</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>name</translation>
    </message>
    <message>
        <source>この名前の色セットが他に存在しています。</source>
        <translation>Another color set already has this name.</translation>
    </message>
    <message>
        <source>作成できる色セットは %1個までです。<byte value="xd"/>
これ以上は追加できません。</source>
        <translation>You can have at most %1 color sets.<byte value="xd"/>
No more can be added.</translation>
    </message>
    <message>
        <source>新規_%1</source>
        <translation>New_%1</translation>
    </message>
    <message>
        <source>%1のコピー %2</source>
        <translation>%1 copy %2</translation>
    </message>
    <message>
        <source>GIMP のグラデーション(.ggr)でもパレット(.gpl)でもありません。</source>
        <translation>This is neither a GIMP gradient (.ggr) nor a GIMP palette (.gpl).</translation>
    </message>
    <message>
        <source>以下の色セットはすでに同じパラメータの物が存在しているため、追加されませんでした。<byte value="xd"/>
%1</source>
        <translation>The following color sets were not added, because sets with the same colors already exist.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>読み込み時にエラーが発生しました。<byte value="xd"/>
%1</source>
        <translation>An error occurred while reading.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>書き込み時にエラーが発生しました。<byte value="xd"/>
%1</source>
        <translation>An error occurred while writing.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>色セットの読み出し中に致命的な異常が発生しました。<byte value="xd"/>
色セットを初期化します。</source>
        <translation>A fatal error occurred while reading the color sets.<byte value="xd"/>
The color sets will be reset.</translation>
    </message>
    <message>
        <source>グラデーションファイルの %1 行目を読み取れません。</source>
        <translation>Line %1 of the gradient file cannot be read.</translation>
    </message>
    <message>
        <source>GIMP のグラデーションファイル(.ggr)ではありません。</source>
        <translation>This is not a GIMP gradient file (.ggr).</translation>
    </message>
    <message>
        <source>グラデーションの区間がありません。</source>
        <translation>The gradient has no segments.</translation>
    </message>
    <message>
        <source>グラデーションの区間が足りません（%1 個のはずが %2 個）。</source>
        <translation>The gradient is missing segments (%2 instead of %1).</translation>
    </message>
    <message>
        <source>GIMP のパレットファイル(.gpl)ではありません。</source>
        <translation>This is not a GIMP palette file (.gpl).</translation>
    </message>
    <message>
        <source>パレットファイルの %1 行目の色を読み取れません。</source>
        <translation>The color on line %1 of the palette file cannot be read.</translation>
    </message>
    <message>
        <source>パレットに色がありません。</source>
        <translation>The palette has no colors.</translation>
    </message>
    <message>
        <source>画像に色がありません。</source>
        <translation>The picture has no colors.</translation>
    </message>
    <message>
        <source>画像の色を数えられませんでした。<byte value="xd"/>
%1</source>
        <translation>The colors of the picture could not be counted.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>%1 % -描画中-</source>
        <translation>%1 % - Drawing -</translation>
    </message>
    <message>
        <source>ピクチャ</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>%1 -描画中止-</source>
        <translation>%1 - Stopped -</translation>
    </message>
    <message>
        <source>成分が一つも選択されていません。</source>
        <translation>No component is selected.</translation>
    </message>
    <message>
        <source>色セットの色数が足りないため描画できません。</source>
        <translation>The color set has too few colors to draw.</translation>
    </message>
    <message>
        <source>色セットの色数が多すぎるため描画できません。</source>
        <translation>The color set has too many colors to draw.</translation>
    </message>
    <message>
        <source>枠の横幅と縦幅は1以上にして下さい。</source>
        <translation>Please make the frame width and height at least 1.</translation>
    </message>
    <message>
        <source>画像の幅と高さは1以上にして下さい。</source>
        <translation>Please make the image width and height at least 1.</translation>
    </message>
    <message>
        <source>画像サイズが大きすぎるため描画できません。</source>
        <translation>The image is too large to draw.</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>保存する画像がありません。</source>
        <translation>There is no picture to save.</translation>
    </message>
    <message>
        <source>成功しました。</source>
        <translation>Succeeded.</translation>
    </message>
    <message>
        <source>ファイルがオープンできません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>ファイルに書きこめません。</source>
        <translation>The file cannot be written.</translation>
    </message>
    <message>
        <source>ファイルのフォーマットエラーです。</source>
        <translation>File format error.</translation>
    </message>
    <message>
        <source>スタックオーバーフローです。</source>
        <translation>Stack overflow.</translation>
    </message>
    <message>
        <source>保存品質の指定が間違っています。</source>
        <translation>The save quality is not valid.</translation>
    </message>
    <message>
        <source>clsTransG内部エラー : %1</source>
        <translation>Internal error in the image writer: %1</translation>
    </message>
    <message>
        <source>JPEG保存時にエラーが発生しました。</source>
        <translation>An error occurred while saving the JPEG file.</translation>
    </message>
    <message>
        <source>PNG保存時にエラーが発生しました。</source>
        <translation>An error occurred while saving the PNG file.</translation>
    </message>
    <message>
        <source>メモリが不足しています。</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>読み込み中にエラーが発生しました。<byte value="xd"/>
このファイルは読み込めません。<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>An error occurred while reading.<byte value="xd"/>
This file cannot be read.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>このファイルは読み込めません。</source>
        <translation>This file cannot be read.</translation>
    </message>
    <message>
        <source>色セット&quot;%1&quot;が存在しません。</source>
        <translation>The color set &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
保存に失敗しました。</source>
        <translation>%1<byte value="xd"/>
The file could not be saved.</translation>
    </message>
    <message>
        <source>PNG保存時のエラーです。</source>
        <translation>Error while saving the PNG file.</translation>
    </message>
    <message>
        <source>Jpeg保存時のエラーです。</source>
        <translation>Error while saving the JPEG file.</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>圧縮速度優先（低圧縮率）</source>
        <translation>Fastest (larger file)</translation>
    </message>
    <message>
        <source>圧縮率優先(不可逆圧縮、低速)</source>
        <translation>Smallest (lossy, slow)</translation>
    </message>
    <message>
        <source>位相のずれ : %1 %</source>
        <translation>Phase shift: %1 %</translation>
    </message>
    <message>
        <source>垂直成分</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>水平成分</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>斜め成分</source>
        <translation>Diagonal</translation>
    </message>
    <message>
        <source>円型成分</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>矩形成分</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>＋型成分</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>リボン型成分</source>
        <translation>Ribbon</translation>
    </message>
    <message>
        <source>波紋型成分</source>
        <translation>Ripple</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>次の成分は継ぎ目なしにできないため、オフにしました。<byte value="xd"/>
%1</source>
        <translation>These components cannot be made seamless and were switched off:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>枠は画像の端に継ぎ目を作るため、オフにしました。</source>
        <translation>The frame makes seams at the image edges and was switched off.</translation>
    </message>
    <message>
        <source>画像の幅か高さが奇数のため、継ぎ目は完全には消えません。<byte value="xd"/>
幅と高さを偶数にすると端が正確につながります。</source>
        <translation>The image width or height is odd, so the seams do not vanish completely.<byte value="xd"/>
With an even width and height the edges join exactly.</translation>
    </message>
    <message>
        <source>読み込めなかった「%1」を別の名前で残せませんでした。<byte value="xd"/>
%2<byte value="xd"/>
このファイルには書き込みません。</source>
        <translation>&quot;%1&quot;, which could not be read, could not be kept under another name.<byte value="xd"/>
%2<byte value="xd"/>
The program will not write to this file.</translation>
    </message>
    <message>
        <source>読み込めなかった「%1」を「%2」として残しました。</source>
        <translation>&quot;%1&quot; could not be read; it has been kept as &quot;%2&quot;.</translation>
    </message>
</context>
</TS>
