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
        <source>継ぎ目なしにする(&amp;S)</source>
        <translation>Make &amp;Seamless</translation>
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
        <source>文字の試し書き(&amp;S)</source>
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
        <source>%1 -プレビュー-</source>
        <translation>%1 - Preview -</translation>
    </message>
    <message>
        <source>MP4 動画 (.mp4)</source>
        <translation>MP4 video (.mp4)</translation>
    </message>
    <message>
        <source>WebM 動画 (.webm)</source>
        <translation>WebM video (.webm)</translation>
    </message>
    <message>
        <source>画質(&amp;Q) :</source>
        <translation>&amp;Quality:</translation>
    </message>
    <message>
        <source>動画の画質: 1 (ファイルが最小) ～ 100 (最高画質)。既定の %1 では符号化による劣化は見えません。</source>
        <translation>Video quality: 1 (smallest file) to 100 (best picture). At the default %1 the encoding adds no visible loss.</translation>
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
        <source>ランダム設定</source>
        <translation>Random Setting</translation>
    </message>
    <message>
        <source>パラメータをランダムに決定します。</source>
        <translation>Chooses the parameters at random.</translation>
    </message>
    <message>
        <source>最も頻繁に使用するボタンです。</source>
        <translation>The button you will use most.</translation>
    </message>
    <message>
        <source>べき乗</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>この値を上げていくと画像がだんだんとシャープになっていき、</source>
        <translation>Raising this value makes the picture sharper and sharper.</translation>
    </message>
    <message>
        <source> さらに上げると直線的な模様になります。</source>
        <translation>Raised further, it turns the pattern into straight lines.</translation>
    </message>
    <message>
        <source>べき乗 1</source>
        <translation>Power 1</translation>
    </message>
    <message>
        <source>べき乗 32</source>
        <translation>Power 32</translation>
    </message>
    <message>
        <source>周期</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>ある成分の周期を小さくすると、その成分はより細かい繰り返しパターンとなります。</source>
        <translation>A smaller period makes a component&apos;s pattern repeat more finely.</translation>
    </message>
    <message>
        <source>振幅</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>ある成分の振幅を大きくすると、その成分が画像に及ぼす影響が大きくなります。</source>
        <translation>A larger amplitude gives a component more influence on the picture.</translation>
    </message>
    <message>
        <source>画像の中心</source>
        <translation>Image center</translation>
    </message>
    <message>
        <source>画像を上下左右にスクロールさせるときに使います。</source>
        <translation>Scrolls the picture up, down, left or right.</translation>
    </message>
    <message>
        <source>上下左右がつながった画像にしたい時は (0,0) にして下さい。</source>
        <translation>For a picture whose opposite edges join up, set this to (0,0).</translation>
    </message>
    <message>
        <source>にじみ</source>
        <translation>Bleed</translation>
    </message>
    <message>
        <source>画像にノイズを与えてにじんだようにします。</source>
        <translation>Adds noise so that the colors bleed into each other.</translation>
    </message>
    <message>
        <source>様々な視覚効果が期待できます。</source>
        <translation>It can give many different visual effects.</translation>
    </message>
    <message>
        <source>にじみ 0</source>
        <translation>Bleed 0</translation>
    </message>
    <message>
        <source>にじみ 256</source>
        <translation>Bleed 256</translation>
    </message>
    <message>
        <source>周期２倍</source>
        <translation>Period ×2</translation>
    </message>
    <message>
        <source>すべての成分の周期を２倍します。</source>
        <translation>Doubles the period of every component.</translation>
    </message>
    <message>
        <source>感覚的に言うと、視点を画像に近づけるような効果があります。</source>
        <translation>It feels like moving closer to the picture.</translation>
    </message>
    <message>
        <source>周期半分</source>
        <translation>Period ÷2</translation>
    </message>
    <message>
        <source>すべての成分の周期を1/2にします。</source>
        <translation>Halves the period of every component.</translation>
    </message>
    <message>
        <source>感覚的に言うと、視点を画像から遠ざけるような効果になります。</source>
        <translation>It feels like stepping back from the picture.</translation>
    </message>
    <message>
        <source>振幅２倍</source>
        <translation>Amplitude ×2</translation>
    </message>
    <message>
        <source>すべての成分の振幅を２倍にします。</source>
        <translation>Doubles the amplitude of every component.</translation>
    </message>
    <message>
        <source>変化に乏しい画像により変化をつけます。</source>
        <translation>Livens up a picture that changes too little.</translation>
    </message>
    <message>
        <source>振幅半分</source>
        <translation>Amplitude ÷2</translation>
    </message>
    <message>
        <source>すべての成分の振幅を1/2にします。</source>
        <translation>Halves the amplitude of every component.</translation>
    </message>
    <message>
        <source>変化が激しすぎる画像の変化を穏やかにします。</source>
        <translation>Calms down a picture that changes too much.</translation>
    </message>
    <message>
        <source>使用する色セット</source>
        <translation>Color set</translation>
    </message>
    <message>
        <source>どの色セットを用いて描画するかを指定します。</source>
        <translation>Chooses the color set to draw with.</translation>
    </message>
    <message>
        <source>色セットの編集</source>
        <translation>Edit Color Set</translation>
    </message>
    <message>
        <source>現在選択している色セットの編集ウィンドウを開きます。</source>
        <translation>Opens the editor for the selected color set.</translation>
    </message>
    <message>
        <source>色セットの追加</source>
        <translation>Add Color Set</translation>
    </message>
    <message>
        <source>新しい色セットを作成し、編集します。</source>
        <translation>Creates a new color set and opens it for editing.</translation>
    </message>
    <message>
        <source>色セットの削除</source>
        <translation>Remove Color Set</translation>
    </message>
    <message>
        <source>現在選択している色セットを削除します。</source>
        <translation>Removes the selected color set.</translation>
    </message>
    <message>
        <source>一度削除すると元に戻せません。</source>
        <translation>A removed color set cannot be brought back.</translation>
    </message>
    <message>
        <source>位相のずれ</source>
        <translation>Phase shift</translation>
    </message>
    <message>
        <source>画像の色見の変更をします。</source>
        <translation>Shifts the colors of the picture.</translation>
    </message>
    <message>
        <source> ０％の時と５０％の時とは正反対の色になります。</source>
        <translation>0 % and 50 % give opposite colors.</translation>
    </message>
    <message>
        <source>描画</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>現在のパラメータで画像を描画します。</source>
        <translation>Draws the picture with the current parameters.</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>描画した画像を名前を付けて保存します。</source>
        <translation>Saves the picture under a name you choose.</translation>
    </message>
    <message>
        <source>フォーマットはBMP形式、JPEG形式またはPNG形式です。</source>
        <translation>The format is BMP, JPEG or PNG.</translation>
    </message>
    <message>
        <source>サイズ指定</source>
        <translation>Image Size</translation>
    </message>
    <message>
        <source>作成する画像のサイズを指定します。</source>
        <translation>Sets the size of the picture to make.</translation>
    </message>
    <message>
        <source>描画モード</source>
        <translation>Draw mode</translation>
    </message>
    <message>
        <source>より複雑な画像を作成するときに使用します。</source>
        <translation>For making more complex pictures.</translation>
    </message>
    <message>
        <source>この機能を使うには、まず「通常」で描画した後、別の形の画像を「AND」等で描画してください。</source>
        <translation>First draw in &quot;Normal&quot;, then draw a different pattern over it with &quot;AND&quot; or another mode.</translation>
    </message>
    <message>
        <source>描画中止</source>
        <translation>Stop Drawing</translation>
    </message>
    <message>
        <source>画像の描画を中止します。</source>
        <translation>Stops drawing the picture.</translation>
    </message>
    <message>
        <source>色セットの名前</source>
        <translation>Color set name</translation>
    </message>
    <message>
        <source>色セットにつける名前です。</source>
        <translation>The name of the color set.</translation>
    </message>
    <message>
        <source>自由に決められますが、長さは全角で12文字までです。</source>
        <translation>Any name will do, up to 12 full-width or 24 half-width characters.</translation>
    </message>
    <message>
        <source>色決定ポイントの数</source>
        <translation>Color points</translation>
    </message>
    <message>
        <source>「色の変化」でいくつの色を指定するかを決定します。</source>
        <translation>How many colors you set in &quot;Colors&quot;.</translation>
    </message>
    <message>
        <source>多いほど派手なグラデーションを作成できますが、通常は4～7程度で十分です。</source>
        <translation>More points give livelier gradations, but 4 to 7 are usually enough.</translation>
    </message>
    <message>
        <source>段階数</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>この値が高いほど、グラデーションが滑らかになります。</source>
        <translation>The higher this value, the smoother the gradation.</translation>
    </message>
    <message>
        <source>この値を低くして描画すると、線のはっきりした幾何学的模様の画像になります。</source>
        <translation>A low value draws geometric patterns with sharp lines.</translation>
    </message>
    <message>
        <source>1段階</source>
        <translation>1 level</translation>
    </message>
    <message>
        <source>256段階</source>
        <translation>256 levels</translation>
    </message>
    <message>
        <source>色の変化</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>色セット編集のメインとなる部分で、どの部分でどのような色を使うかを指定します。</source>
        <translation>The heart of the editor: which color to use where along the gradation.</translation>
    </message>
    <message>
        <source>色決定ポイント(四角)をクリックをすると色を変更できます。</source>
        <translation>Click a color point (a square) to change its color.</translation>
    </message>
    <message>
        <source>色決定ポイント</source>
        <translation>Color point</translation>
    </message>
    <message>
        <source>クリックすると色を変更できます。</source>
        <translation>Click to change its color.</translation>
    </message>
    <message>
        <source>両端の色を一致させる</source>
        <translation>Same color at both ends</translation>
    </message>
    <message>
        <source>両端の色決定ポイントの色が一致していないと、描画画像が滑らかになりません。</source>
        <translation>If the color points at the two ends differ, the drawn picture is not smooth.</translation>
    </message>
    <message>
        <source>これをチェックしておけば、自動的に両端の色が同じになります。</source>
        <translation>With this checked, both ends always get the same color.</translation>
    </message>
    <message>
        <source>色のランダム決定</source>
        <translation>Random colors</translation>
    </message>
    <message>
        <source>全ての色決定ポイントの色をランダムに設定します。</source>
        <translation>Gives every color point a random color.</translation>
    </message>
    <message>
        <source>枠を描く</source>
        <translation>Draw a frame</translation>
    </message>
    <message>
        <source>これがチェックされていると、枠の描画が有効になります。</source>
        <translation>When this is checked, the frame is drawn.</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>枠の色です。</source>
        <translation>The color of the frame.</translation>
    </message>
    <message>
        <source>クリックすると変更できます。</source>
        <translation>Click to change it.</translation>
    </message>
    <message>
        <source>全体の色の濃さ</source>
        <translation>Overall strength</translation>
    </message>
    <message>
        <source>小さければ枠がぼやけた感じになり、大きければ枠部分全体の色が濃くなります。</source>
        <translation>Small values give a soft frame; large values make the whole frame stronger in color.</translation>
    </message>
    <message>
        <source>最大値の50にすると完全にベタ塗りになります。</source>
        <translation>At the maximum, 50, the frame is one solid color.</translation>
    </message>
    <message>
        <source>右下部分の色の暗さ</source>
        <translation>Shadow (lower right)</translation>
    </message>
    <message>
        <source>この値が高いほど枠の右下の部分が暗くなり、これが影の役目をして立体的に見えます。</source>
        <translation>The higher this value, the darker the lower right of the frame; as a shadow, it makes the frame look raised.</translation>
    </message>
    <message>
        <source>境界線の鮮明さ</source>
        <translation>Edge sharpness</translation>
    </message>
    <message>
        <source>このパラメータが大きいほど枠の境界線が鮮明になります。</source>
        <translation>The larger this value, the sharper the frame&apos;s edge lines.</translation>
    </message>
    <message>
        <source>枠のサイズ</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>枠の横幅・縦幅を指定します。</source>
        <translation>Sets the width and the height of the frame.</translation>
    </message>
    <message>
        <source>最小値は 1、最大値は画像サイズの縦幅・横幅の半分です。</source>
        <translation>The minimum is 1, the maximum half the picture&apos;s height or width.</translation>
    </message>
    <message>
        <source>ランダム設定時の画像の傾向</source>
        <translation>Tendency of random images</translation>
    </message>
    <message>
        <source>「ランダム設定」した時に生成される周期・振幅の平均値を調整できます。</source>
        <translation>Adjusts the average period and amplitude that &quot;Random Setting&quot; chooses.</translation>
    </message>
    <message>
        <source>赤い点が現在の設定値を表します。</source>
        <translation>The red dot shows the current setting.</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>設定値(赤い点)を初期値(中心)に戻します。</source>
        <translation>Puts the setting (the red dot) back to the default (the center).</translation>
    </message>
    <message>
        <source>ランダム設定されるパラメータ</source>
        <translation>Parameters to randomize</translation>
    </message>
    <message>
        <source>「ランダム設定」時に、各パラメータが変化するか変化しないかを指定します。</source>
        <translation>Chooses which parameters &quot;Random Setting&quot; changes and which it leaves alone.</translation>
    </message>
    <message>
        <source>連携するアプリケーションのパス</source>
        <translation>Path of the linked application</translation>
    </message>
    <message>
        <source>「連携ｱﾌﾟﾘｹｰｼｮﾝで編集」で起動するアプリケーションのパスを指定します。</source>
        <translation>The program that &quot;Edit in Linked Application&quot; starts.</translation>
    </message>
    <message>
        <source>アプリケーションはBMPファイルのドラッグドロップに対応している必要があります。</source>
        <translation>The program must accept BMP files dropped on it.</translation>
    </message>
    <message>
        <source>描画終了後に音を鳴らす</source>
        <translation>Beep when a drawing is finished</translation>
    </message>
    <message>
        <source>描画が終了した後にWindowsのBEEP音を鳴らします。</source>
        <translation>Sounds the system beep when a drawing is finished.</translation>
    </message>
    <message>
        <source>起動時にウェルカムダイアログを表示</source>
        <translation>Show the welcome window at start</translation>
    </message>
    <message>
        <source>Wavoryの起動時に「Welcome to Wavory」のダイアログを表示します。</source>
        <translation>Shows the &quot;Welcome to Wavory&quot; window when Wavory starts.</translation>
    </message>
    <message>
        <source>終了する前に確認ダイアログを表示</source>
        <translation>Ask before exiting</translation>
    </message>
    <message>
        <source>Wavoryを終了する前に確認のダイアログを表示します。</source>
        <translation>Asks for confirmation before Wavory exits.</translation>
    </message>
    <message>
        <source>ランダム設定と同時に描画</source>
        <translation>Draw after a random setting</translation>
    </message>
    <message>
        <source>ランダム設定した後に自動的に描画するようにします。</source>
        <translation>Draws automatically after each random setting.</translation>
    </message>
    <message>
        <source>画像保存と同時に「テキストファイルへ書き出し」を実行</source>
        <translation>Write the parameters to a text file when saving an image</translation>
    </message>
    <message>
        <source>画像を保存する時に自動的に「テキストファイルへ書き出し」を実行するようにします。</source>
        <translation>Runs &quot;Write Parameters to Text File&quot; automatically whenever a picture is saved.</translation>
    </message>
    <message>
        <source>描画後メインウィンドウにフォーカスを戻す</source>
        <translation>Return the focus to the main window after drawing</translation>
    </message>
    <message>
        <source>描画するとフォーカスがピクチャウィンドウに移りますが、</source>
        <translation>Drawing moves the focus to the picture window.</translation>
    </message>
    <message>
        <source>これをチェックしておけば描画後メインウィンドウにフォーカスが戻ります。</source>
        <translation>With this checked, it returns to the main window afterwards.</translation>
    </message>
    <message>
        <source>値変更と同時に描画</source>
        <translation>Draw as soon as a value changes</translation>
    </message>
    <message>
        <source>パラメータを変更すると自動的に描画するようにします。</source>
        <translation>Draws automatically whenever a parameter changes.</translation>
    </message>
    <message>
        <source>アニメーション１周期の、最初のフレームと最後のフレームの「位相のずれ」を指定します。</source>
        <translation>The &quot;Phase shift&quot; of the first and the last frame of one animation cycle.</translation>
    </message>
    <message>
        <source>通常は「０％から９９％まで」で構いません。</source>
        <translation>&quot;0 % to 99 %&quot; is usually fine.</translation>
    </message>
    <message>
        <source>フレーム数</source>
        <translation>Number of frames</translation>
    </message>
    <message>
        <source>アニメーション１周期のフレーム数を指定します。</source>
        <translation>The number of frames in one animation cycle.</translation>
    </message>
    <message>
        <source>フレーム数が少ないとチカチカしたアニメになり、多いほど滑らかなアニメになります。</source>
        <translation>Few frames make a flickering animation; the more frames, the smoother it runs.</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>アニメーションの各フレームの描画を開始します。</source>
        <translation>Starts drawing the animation&apos;s frames.</translation>
    </message>
    <message>
        <source>作成中止</source>
        <translation>Stop Making</translation>
    </message>
    <message>
        <source>アニメーションの描画を中止します。</source>
        <translation>Stops drawing the animation.</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>作成したアニメーションをプレビューするウィンドウを表示します。</source>
        <translation>Opens a window that plays the animation made.</translation>
    </message>
    <message>
        <source>保存するフォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>アニメーションのBMPファイル群を保存するフォルダを指定します｡ </source>
        <translation>The folder the animation&apos;s BMP files are saved in.</translation>
    </message>
    <message>
        <source>ベースファイル名</source>
        <translation>Base name</translation>
    </message>
    <message>
        <source>ファイル名の先頭につく文字列を指定します。</source>
        <translation>The text every file name starts with.</translation>
    </message>
    <message>
        <source>連番の開始数字と桁数</source>
        <translation>Numbering: first number and digits</translation>
    </message>
    <message>
        <source>ベースファイル名に続く連番の、開始番号と桁数を指定します。</source>
        <translation>The first number and the number of digits of the numbering after the base name.</translation>
    </message>
    <message>
        <source>作成したアニメーションをBMPファイル群として保存します。</source>
        <translation>Saves the animation made as a series of BMP files.</translation>
    </message>
    <message>
        <source>保存中止</source>
        <translation>Stop Saving</translation>
    </message>
    <message>
        <source>保存を中断します。</source>
        <translation>Stops saving.</translation>
    </message>
    <message>
        <source>色セットは最大%1個まで作成できます。</source>
        <translation>You can have at most %1 color sets.</translation>
    </message>
    <message>
        <source>左側のチェックボックスをオン／オフすることによって成分を有効／無効にできます。</source>
        <translation>The check box on the left switches the component on or off.</translation>
    </message>
    <message>
        <source>上下左右つながった画像にしたい時はこの成分をオフにしてください。</source>
        <translation>For a picture whose opposite edges join up, switch this component off.</translation>
    </message>
    <message>
        <source>基本</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>中・上級者向け機能</source>
        <translation>For experienced users</translation>
    </message>
    <message>
        <source>WebP ファイルは 4 GB までですが、%1 × %2 のフレーム %3 枚は約 %4 になるため保存できません。<byte value="xd"/>
BMP の連番で保存して下さい。</source>
        <translation>A WebP file holds at most 4 GB, but %3 frames of %1 × %2 would take about %4, so they cannot be saved.<byte value="xd"/>
Save them as a BMP series.</translation>
    </message>
    <message>
        <source>保存したのは %1 だけです。%2 から後は揃っていません。</source>
        <translation>Only %1 was saved; the series is incomplete from %2 on.</translation>
    </message>
    <message>
        <source>保存したのは %1 から %2 までです。%3 から後は揃っていません。</source>
        <translation>%1 to %2 were saved; the series is incomplete from %3 on.</translation>
    </message>
    <message>
        <source>共有フォルダに他のユーザーが置いたシンボリックリンクを通しては保存できません。</source>
        <translation>Cannot save through a symbolic link that another user placed in a shared folder.</translation>
    </message>
    <message>
        <source>ディスクの空き領域が足りません。</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <source>ディスクの使用量の上限を超えました。</source>
        <translation>The disk quota has been exceeded.</translation>
    </message>
    <message>
        <source>読み取り専用の場所には書き込めません。</source>
        <translation>Cannot write to a read-only location.</translation>
    </message>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダが見つかりません。</source>
        <translation>The file or folder does not exist.</translation>
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
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>履歴を保存できませんでした。<byte value="xd"/>
%1<byte value="xd"/>
%2</source>
        <translation>The history could not be saved.<byte value="xd"/>
%1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。<byte value="xd"/>
%1</source>
        <translation>The settings could not be saved.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>WebP ファイルの幅と高さは %1 ピクセルまでのため、%2 × %3 のアニメーションは保存できません。<byte value="xd"/>
GIF か BMP の連番で保存して下さい。</source>
        <translation>A WebP file holds at most %1 pixels in width and height, so a %2 × %3 animation cannot be saved as one.<byte value="xd"/>
Save it as GIF or as a BMP series.</translation>
    </message>
    <message>
        <source>メモリが足りないため描画できません。<byte value="xd"/>
この画像には約 %1 のメモリが必要ですが、使えるのは %2 です。<byte value="xd"/>
画像サイズを小さくして下さい。</source>
        <translation>There is not enough memory to draw this picture.<byte value="xd"/>
It needs about %1 of memory, but %2 is available.<byte value="xd"/>
Please choose a smaller image size.</translation>
    </message>
    <message>
        <source>値はマウスのホイールや↑↓キーでも増減できます（Shift キーで大きく）。</source>
        <translation>The mouse wheel and the up and down keys step the value too (Shift for bigger steps).</translation>
    </message>
    <message>
        <source>画像のドラッグ</source>
        <translation>Dragging the picture</translation>
    </message>
    <message>
        <source>ピクチャウィンドウの画像をドラッグすると、画像の中心がマウスの位置に移ります。</source>
        <translation>Dragging the picture in the picture window moves the image center to the pointer.</translation>
    </message>
    <message>
        <source>ドラッグ中に Esc キーを押すと、画像の中心は元に戻ります。</source>
        <translation>Esc during the drag puts the image center back.</translation>
    </message>
    <message>
        <source>大きな画像では先に粗いプレビューを表示し、続けて正確な画像を描画します。</source>
        <translation>A large picture shows a rough preview first, then the exact picture is drawn.</translation>
    </message>
    <message>
        <source>%1 × %2 の動画は作れません（%3）。</source>
        <translation>A video of %1 × %2 cannot be made (%3).</translation>
    </message>
</context>
</TS>
