<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BoardFile</name>
    <message>
        <location filename="../model/board_file_terms.h" line="+40"/>
        <source>an empty square</source>
        <translation>una casilla vacía</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a brown lizard</source>
        <translation>un lagarto marrón</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a brown egg</source>
        <translation>un huevo marrón</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a green lizard</source>
        <translation>un lagarto verde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a green egg</source>
        <translation>un huevo verde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a cat</source>
        <translation>un gato</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>an eating cat</source>
        <translation>un gato comiendo</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>kinds</source>
        <extracomment>A board file&apos;s keyword, which a message names: your words for it, with the keyword itself in brackets</extracomment>
        <translation>la sección de tipos (kinds)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>column %1: &apos;%2&apos; is not a kind (. B b G g C E)</source>
        <translation>columna %1: &apos;%2&apos; no es un tipo (. B b G g C E)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>headings</source>
        <translation>la sección de rumbos (headings)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>column %1: &apos;%2&apos; is not a heading 1 to 8</source>
        <translation>columna %1: &apos;%2&apos; no es un rumbo de 1 a 8</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>phases</source>
        <translation>la sección de fases (phases)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>column %1: &apos;%2&apos; is not a phase 0 or 1</source>
        <translation>columna %1: &apos;%2&apos; no es una fase 0 o 1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>age</source>
        <extracomment>A timer&apos;s name in a board file, which a message names: your word for it, with the name itself in brackets</extracomment>
        <translation>edad (age)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>mating</source>
        <translation>apareamiento (mating)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>mate-turns</source>
        <translation>visitas de apareamiento (mate-turns)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>eat-turns</source>
        <translation>visitas de comida (eat-turns)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>prey</source>
        <translation>presa (prey)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>timers</source>
        <translation>la sección de temporizadores (timers)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>end</source>
        <translation>la línea final (end)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>size</source>
        <translation>la línea del tamaño (size)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>generation</source>
        <translation>la línea de la generación (generation)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>seed</source>
        <translation>la línea de la semilla (seed)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>next-seeds</source>
        <translation>la línea de las semillas siguientes (next-seeds)</translation>
    </message>
    <message>
        <location filename="../model/board_file_read.cpp" line="+37"/>
        <location line="+33"/>
        <location line="+316"/>
        <source>&quot;%1&quot; is missing</source>
        <translation>falta %1</translation>
    </message>
    <message>
        <location line="-345"/>
        <location line="+33"/>
        <source>expected &quot;%1&quot;, not &quot;%2&quot;</source>
        <translation>se esperaba %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+5"/>
        <source>not a vivar board</source>
        <translation>no es un tablero de vivar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>version %1 is not one this vivar reads</source>
        <translation>la versión %1 no es una que este vivar lea</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>a rule is rule NAME=VALUE, not &quot;%1&quot;</source>
        <translation>una regla es rule NOMBRE=VALOR, no &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>unknown rule &quot;%1&quot; (hatch, mating, meal, fill)</source>
        <translation>regla desconocida &quot;%1&quot;: las reglas son hatch, mating, meal y fill</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>a second rule %1 (the first is on line %2)</source>
        <translation>una segunda regla %1 (la primera está en la línea %2)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>fill must be four whole percentages E:B:G:C that sum to 100, not &quot;%1&quot;</source>
        <translation>fill debe ser cuatro porcentajes enteros E:B:G:C (vacías, marrones, verdes, gatos) que sumen 100, no &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 must be %2 to %3 visits, not &quot;%4&quot;</source>
        <translation>%1 debe ser de %2 a %3 visitas, no &quot;%4&quot;</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>a &quot;%1&quot; line needs version %2 of the format: &quot;vivar board %2&quot; as the first line</source>
        <translation>una línea &quot;%1&quot; necesita la versión %2 del formato: &quot;vivar board %2&quot; como primera línea</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>a second &quot;%1&quot; line (the first is on line %2)</source>
        <translation>una segunda línea &quot;%1&quot; (la primera está en la línea %2)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the generation must be 0 to %1, not &quot;%2&quot;</source>
        <translation>la generación debe ser de 0 a %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the seed must be 0 to %1, not &quot;%2&quot;</source>
        <translation>la semilla debe ser de 0 a %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>next-seeds must be a count of 0 to %1 seeds, not &quot;%2&quot;</source>
        <translation>next-seeds debe ser una cantidad de 0 a %1 semillas, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>&quot;%1&quot; on line %2 is followed by more than %3 seeds</source>
        <translation>a &quot;%1&quot; en la línea %2 le siguen más de %3 semillas</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; on line %2 is followed by %3 seeds, not %4</source>
        <translation>a &quot;%1&quot; en la línea %2 le siguen %3 semillas, no %4</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a next seed must be 0 to %1, not &quot;%2&quot;</source>
        <translation>una semilla siguiente debe ser de 0 a %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>&quot;%1&quot; has %2 rows, not %3</source>
        <translation>%1 tiene %2 filas, no %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 characters, not the %2 of a row</source>
        <translation>%1 caracteres, no los %2 de una fila</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>a timer is ROW COLUMN NAME VALUE, not &quot;%1&quot;</source>
        <translation>un temporizador es FILA COLUMNA NOMBRE VALOR, no &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the row must be 1 to %1, not &quot;%2&quot;</source>
        <translation>la fila debe ser de 1 a %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the column must be 1 to %1, not &quot;%2&quot;</source>
        <translation>la columna debe ser de 1 a %1, no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>unknown timer &quot;%1&quot; (age, mating, mate-turns, eat-turns, prey)</source>
        <translation>temporizador desconocido &quot;%1&quot;: los hay de edad (age), apareamiento (mating), visitas de apareamiento (mate-turns), visitas de comida (eat-turns) y presa (prey)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>row %1, column %2 holds %3, which has no %4</source>
        <translation>la fila %1, columna %2 tiene %3, que no lleva %4</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>a second %1 for row %2, column %3 (the first is on line %4)</source>
        <translation>un segundo valor de %1 para la fila %2, columna %3 (el primero está en la línea %4)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 must be brown or green, not &quot;%2&quot;</source>
        <translation>el valor de %1 debe ser brown (marrón) o green (verde), no &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 must be 0 to %2, not &quot;%3&quot;</source>
        <translation>el valor de %1 debe ser de 0 a %2, no &quot;%3&quot;</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>&apos;%1&apos; (U+%2) is not ASCII: board files are plain ASCII text</source>
        <translation>&apos;%1&apos; (U+%2) no es ASCII: los archivos de tablero son solo texto ASCII</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>empty, not a vivar board</source>
        <translation>vacío, no es un tablero de vivar</translation>
    </message>
    <message>
        <location filename="../model/board_file.cpp" line="+63"/>
        <source>holds generation %1, the last that can be counted: the run cannot go on from it</source>
        <translation>contiene la generación %1, la última que se puede contar: la ejecución no puede seguir desde ella</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>holds generation %1: %2 generations more would pass generation %3</source>
        <translation>contiene la generación %1: %2 generaciones más pasarían de la generación %3</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>the board is %1, not %2 as --size says</source>
        <translation>el tablero es de %1, no de %2 como dice --size</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the board&apos;s %1 is %2, not %3 as --rule says</source>
        <translation>la regla %1 del tablero es %2, no %3 como dice --rule</translation>
    </message>
    <message>
        <location filename="../model/board_file_read.cpp" line="-42"/>
        <source>larger than %1 bytes, not a vivar board</source>
        <translation>mayor de %1 bytes, no es un tablero de vivar</translation>
    </message>
    <message>
        <location line="-310"/>
        <source>the size must be WxH, a width and a height of at least %1 and at most %2 squares in all, not &quot;%3&quot;</source>
        <translation>el tamaño debe ser AxL, un ancho y un alto de al menos %1 y %2 casillas en total como mucho, no &quot;%3&quot;</translation>
    </message>
    <message>
        <location line="+341"/>
        <source>not a text file</source>
        <translation>no es un archivo de texto</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>text after &quot;end&quot;</source>
        <translation>texto después de la línea final (end)</translation>
    </message>
    <message>
        <location filename="../model/board_file.cpp" line="-54"/>
        <source>input/output error</source>
        <translation>error de entrada/salida</translation>
    </message>
    <message>
        <location filename="../model/board_file_read.cpp" line="+36"/>
        <source>line %1: %2</source>
        <translation>línea %1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../app/options.cpp" line="+27"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 takes no value</source>
        <translation>%1 no lleva valor</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 needs a whole number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 necesita un número entero de %2 a %3, no &apos;%4&apos;</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>unknown option &apos;%1&apos;; did you mean &apos;%2&apos;?</source>
        <translation>opción desconocida &apos;%1&apos;; ¿quería decir &apos;%2&apos;?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>--language takes %1, not &apos;%2&apos;</source>
        <translation>--language admite %1, no &apos;%2&apos;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1: %2 (try --help)</source>
        <translation>%1: %2 (pruebe --help)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>--size is given twice: a board has one size</source>
        <translation>--size se da dos veces: un tablero tiene un solo tamaño</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--rule %1 is given twice: a rule has one value</source>
        <translation>--rule %1 se da dos veces: una regla tiene un solo valor</translation>
    </message>
</context>
<context>
    <name>ExaminerViewer</name>
    <message>
        <location filename="../platform/examiner_viewer.cpp" line="+264"/>
        <source>Dolly</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>RotX</source>
        <translation>Giro X</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RotY</source>
        <translation>Giro Y</translation>
    </message>
</context>
<context>
    <name>Experiment</name>
    <message>
        <location filename="../studies/experiment.cpp" line="+72"/>
        <source>--vary needs NAME=V1,V2,... with NAME one of hatch, mating, meal, fill and size, not &apos;%1&apos;</source>
        <translation>--vary necesita NOMBRE=V1,V2,... con NOMBRE uno de hatch, mating, meal, fill y size, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>--vary %1=FIRST:LAST:STEP needs whole numbers with FIRST no greater than LAST and STEP at least 1, not &apos;%2&apos;</source>
        <translation>--vary %1=PRIMERO:ÚLTIMO:PASO necesita números enteros con PRIMERO no mayor que ÚLTIMO y PASO al menos 1, no &apos;%2&apos;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--vary size=%1: %2 is too large; the largest square board is %3x%3</source>
        <translation>--vary size=%1: %2 es demasiado grande; el tablero cuadrado más grande es de %3x%3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--vary %1=%2: %3 is too large; the largest %1 is %4</source>
        <translation>--vary %1=%2: %3 es demasiado grande; el mayor %1 es %4</translation>
    </message>
    <message>
        <location filename="../studies/experiment_run.cpp" line="+201"/>
        <source>an experiment in the window has 1 to %1 runs</source>
        <translation>un experimento en la ventana tiene de 1 a %1 simulaciones</translation>
    </message>
    <message>
        <location line="+113"/>
        <source>vivar: the experiment stopped with the window: %1 of %2 runs are in %3, whole; Experiment… goes on with them</source>
        <translation>vivar: el experimento se detuvo con la ventana: %1 de %2 simulaciones están en %3, completas; Experimento… sigue con ellas</translation>
    </message>
</context>
<context>
    <name>ExperimentDialog</name>
    <message>
        <location filename="../view/experiment_dialog.cpp" line="+36"/>
        <source>hatch: visits an egg takes</source>
        <translation>hatch: visitas que tarda un huevo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>mating: visits a mating lasts</source>
        <translation>mating: visitas que dura un apareamiento</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>meal: visits a meal lasts</source>
        <translation>meal: visitas que dura una comida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>fill: the fill&apos;s shares E:B:G:C</source>
        <translation>fill: las proporciones del llenado E:B:G:C</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>size: the board&apos;s side, N for NxN</source>
        <translation>size: el lado del tablero, N para NxN</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Experiment</source>
        <translation>Experimento</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>nothing else</source>
        <translation>nada más</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>A list, as 1,2,5, or a range FIRST:LAST:STEP, as 1:10:1</source>
        <translation>Una lista, como 1,2,5, o un intervalo PRIMERO:ÚLTIMO:PASO, como 1:10:1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1,2,5 or 1:10:1</source>
        <translation>1,2,5 o 1:10:1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Varies:</source>
        <translation>Varía:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>And:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What varies</source>
        <translation>Qué varía</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>What else varies</source>
        <translation>Qué más varía</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Its values</source>
        <translation>Sus valores</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Their values</source>
        <translation>Los valores de esto otro</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Seeds:</source>
        <translation>Semillas:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First seed</source>
        <translation>Primera semilla</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last seed</source>
        <translation>Última semilla</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Generations per run:</source>
        <translation>Generaciones por simulación:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The cores the runs take; all but one leave the window smooth</source>
        <translation>Los núcleos que usan las simulaciones; todos menos uno dejan la ventana fluida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cores:</source>
        <translation>Núcleos:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>What does not vary is the window&apos;s current rules and size: %1.</source>
        <translation>Lo que no varía son las reglas y el tamaño actuales de la ventana: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the standard rules, 20x20</source>
        <translation>las reglas estándar, 20x20</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The table the rows go to as the runs finish, flushed every second; by default in your documents folder. A table of this experiment cut short is gone on with.</source>
        <translation>La tabla a la que van las filas a medida que terminan las simulaciones, vaciada cada segundo; por omisión en su carpeta de documentos. Una tabla de este experimento que quedó a medias se continúa.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Table:</source>
        <translation>Tabla:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Table</source>
        <translation>Tabla</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The vivar-sim command that writes the same table, to run it without the window</source>
        <translation>La orden de vivar-sim que escribe la misma tabla, para correrla sin la ventana</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>vivar-sim:</source>
        <translation>vivar-sim:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>vivar-sim command</source>
        <translation>Orden de vivar-sim</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Run</source>
        <translation>Ejecutar</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>%1 runs in all.</source>
        <translation>%1 simulaciones en total.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Name the file the table goes to.</source>
        <translation>Indique el archivo al que va la tabla.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The file holds this experiment whole: running draws its plot.</source>
        <translation>El archivo contiene este experimento completo: ejecutar dibuja su gráfica.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Running continues the %1 runs already in the file.</source>
        <translation>Ejecutar continúa las %1 simulaciones que ya están en el archivo.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A new table.</source>
        <translation>Una tabla nueva.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The experiment&apos;s table</source>
        <translation>La tabla del experimento</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tables (*.csv);;All files (*)</source>
        <translation>Tablas (*.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <location filename="../view/experiment_setup.cpp" line="+39"/>
        <source>The same setting cannot vary in both rows.</source>
        <translation>El mismo ajuste no puede variar en las dos filas.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Seeds are whole numbers from 0 to %1.</source>
        <translation>Las semillas son números enteros de 0 a %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The first seed is greater than the last.</source>
        <translation>La primera semilla es mayor que la última.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Choose at least one setting to vary.</source>
        <translation>Elija al menos un ajuste que varíe.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>More than %1 runs: the window takes on at most that many; vivar-sim, any number.</source>
        <translation>Más de %1 simulaciones: la ventana admite como mucho esas; vivar-sim, cualquier cantidad.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The table cannot be read: %1</source>
        <translation>No se puede leer la tabla: %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The file is not this experiment&apos;s table: line %1</source>
        <translation>El archivo no es la tabla de este experimento: línea %1</translation>
    </message>
</context>
<context>
    <name>ExperimentPlot</name>
    <message>
        <location filename="../film/experiment_plot.cpp" line="+42"/>
        <source>size (width x height)</source>
        <translation>size (ancho x alto)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>hatch (visits an egg takes to hatch)</source>
        <translation>hatch (visitas que tarda un huevo en eclosionar)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>mating (visits a mating lasts)</source>
        <translation>mating (visitas que dura un apareamiento)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>meal (visits a meal lasts)</source>
        <translation>meal (visitas que dura una comida)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>fill (% empty, brown, green, cats)</source>
        <translation>fill (% de vacías, marrones, verdes, gatos)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>size: the side N of an N x N board</source>
        <translation>size: el lado N de un tablero de N x N</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>1 run of %1 generations</source>
        <translation>1 simulación de %1 generaciones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 runs of %2 generations</source>
        <translation>%1 simulaciones de %2 generaciones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1; fixed: %2</source>
        <translation>%1; fijos: %2</translation>
    </message>
    <message>
        <location line="+213"/>
        <source>both species survive</source>
        <translation>sobreviven las dos especies</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>at least one species survives</source>
        <translation>sobrevive al menos una especie</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>brown lizards</source>
        <translation>lagartos marrones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>green lizards</source>
        <translation>lagartos verdes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>cats</source>
        <translation>gatos</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>median</source>
        <translation>mediana</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>bars: 95 % interval (Wilson)</source>
        <translation>barras: intervalo del 95 % (Wilson)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>line: median; band: quartiles</source>
        <translation>línea: mediana; banda: cuartiles</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>bars: quartiles; n: runs in which one died out</source>
        <translation>barras: cuartiles; n: simulaciones en las que una se extinguió</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Share of runs in which the lizards survive, by %1</source>
        <translation>Proporción de simulaciones en las que sobreviven los lagartos, según %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Populations after the last generation, by %1</source>
        <translation>Poblaciones tras la última generación, según %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Generation at which the first lizard species died out, by %1</source>
        <translation>Generación en la que se extinguió la primera especie de lagartos, según %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <location line="+201"/>
        <source>Too small to draw</source>
        <translation>Demasiado pequeño para dibujarlo</translation>
    </message>
    <message>
        <location line="-177"/>
        <source>% of runs</source>
        <translation>% de simulaciones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>animals after the last generation</source>
        <translation>animales tras la última generación</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>generation</source>
        <translation>generación</translation>
    </message>
    <message>
        <location line="+114"/>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Share of runs in which both lizard species survive, by %1 and %2</source>
        <translation>Proporción de simulaciones en las que sobreviven las dos especies de lagartos, según %1 y %2</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>both survive</source>
        <translation>sobreviven las dos</translation>
    </message>
    <message>
        <location line="+147"/>
        <location line="+1"/>
        <source>No runs yet</source>
        <translation>Aún no hay simulaciones</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the table does not vary %1</source>
        <translation>la tabla no varía %1</translation>
    </message>
</context>
<context>
    <name>ExperimentWindow</name>
    <message>
        <location filename="../view/experiment_window.cpp" line="+63"/>
        <location line="+151"/>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <location line="-150"/>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+263"/>
        <source>vivar experiment</source>
        <translation>experimento de vivar</translation>
    </message>
    <message>
        <location line="-258"/>
        <source>%v of %m runs</source>
        <translation>%v de %m simulaciones</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Set up…</source>
        <translation>Preparar…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set up a new experiment, or continue a stopped one with the same file and settings (Alt+S)</source>
        <translation>Prepara un experimento nuevo, o continúa uno detenido con el mismo archivo y los mismos ajustes (Alt+S)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open table…</source>
        <translation>Abrir tabla…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Draw the plot of any experiment&apos;s table: one made here, by vivar-sim, or parts put together (Alt+O)</source>
        <translation>Dibuja la gráfica de la tabla de cualquier experimento: una hecha aquí, por vivar-sim, o partes unidas (Alt+O)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No new run starts while paused (Alt+P)</source>
        <translation>En pausa no empieza ninguna simulación nueva (Alt+P)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>End the table at a whole run: it can be continued from Set up… (Alt+T)</source>
        <translation>Termina la tabla en una simulación completa: se puede continuar desde Preparar… (Alt+T)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Survival</source>
        <translation>Supervivencia</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Populations</source>
        <translation>Poblaciones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First extinction</source>
        <translation>Primera extinción</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>What the plot shows: the share of runs in which the lizards survive, the populations at the end, or the generation of the first extinction</source>
        <translation>Lo que muestra la gráfica: la proporción de simulaciones en que sobreviven los lagartos, las poblaciones al final, o la generación de la primera extinción</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>With two settings varied: a grid of both, or the plot against one of them</source>
        <translation>Con dos ajustes variados: una cuadrícula de ambos, o la gráfica frente a uno de ellos</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The plot shows</source>
        <translation>La gráfica muestra</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Plotted against</source>
        <translation>Frente a</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click a point or a cell for its runs, to watch one in the terrarium</source>
        <translation>Haga clic en un punto o una celda para ver sus simulaciones y mirar una en el terrario</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Plot</source>
        <translation>Gráfica</translation>
    </message>
    <message>
        <location line="+48"/>
        <location line="+125"/>
        <source>Table: %1</source>
        <translation>Tabla: %1</translation>
    </message>
    <message>
        <location line="-96"/>
        <source>Spent %1</source>
        <translation>Transcurrido %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> · about %1 left</source>
        <translation> · quedan unos %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> · paused</source>
        <translation> · en pausa</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> · stopped: Set up… continues it</source>
        <translation> · detenido: Preparar… lo continúa</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> · finished</source>
        <translation> · terminado</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> · failed: %1</source>
        <translation> · falló: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Grid of both</source>
        <translation>Cuadrícula de ambos</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Against %1</source>
        <translation>Frente a %1</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Stop the experiment under way before drawing another table.</source>
        <translation>Detenga el experimento en curso antes de dibujar otra tabla.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open an experiment&apos;s table</source>
        <translation>Abrir la tabla de un experimento</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tables (*.csv);;All files (*)</source>
        <translation>Tablas (*.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 cannot be read.</source>
        <translation>No se puede leer %1.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 is not an experiment&apos;s table: line %2</source>
        <translation>%1 no es la tabla de un experimento: línea %2</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1: %2 runs</source>
        <translation>%1: %2 simulaciones</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Seed %1</source>
        <translation>Semilla %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Both species survive</source>
        <translation>Sobreviven las dos especies</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One species survives</source>
        <translation>Sobrevive una especie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Both die out</source>
        <translation>Se extinguen las dos</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Another seed…</source>
        <translation>Otra semilla…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A seed from %1 to %2:</source>
        <translation>Una semilla de %1 a %2:</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <location filename="../view/export_dialog.cpp" line="+41"/>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>PNG file:</source>
        <translation>Archivo PNG:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>File (.webm or .gif):</source>
        <translation>Archivo (.webm o .gif):</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PNG file</source>
        <translation>Archivo PNG</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>File (.webm or .gif)</source>
        <translation>Archivo (.webm o .gif)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Width x height in pixels, from %1x%1 to %2x%3</source>
        <translation>Ancho x alto en píxeles, de %1x%1 a %2x%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Size in pixels:</source>
        <translation>Tamaño en píxeles:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Generations per second:</source>
        <translation>Generaciones por segundo:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A caption under the board: the generation and the populations</source>
        <translation>Un pie bajo el tablero: la generación y las poblaciones</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The population chart beside the board</source>
        <translation>El gráfico de poblaciones junto al tablero</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>With the board:</source>
        <translation>Con el tablero:</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>PNG pictures (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WebM videos (*.webm);;Animated GIFs (*.gif)</source>
        <translation>Vídeos WebM (*.webm);;GIF animados (*.gif)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The picture needs a file name.</source>
        <translation>La imagen necesita un nombre de archivo.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The film&apos;s name must end in .webm (a video) or .gif (an animated GIF).</source>
        <translation>El nombre de la película debe terminar en .webm (un vídeo) o .gif (un GIF animado).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The size must be WxH in pixels, from %1x%1 to %2x%3.</source>
        <translation>El tamaño debe ser AnchoxAlto en píxeles, de %1x%1 a %2x%3.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Replace %1?</source>
        <translation>¿Reemplazar %1?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 already exists. Do you want to replace it?</source>
        <translation>%1 ya existe. ¿Quiere reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>FilmPage</name>
    <message>
        <location filename="../film/film_page.cpp" line="+36"/>
        <source>brown lizards</source>
        <translation>lagartos marrones</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>green lizards</source>
        <translation>lagartos verdes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>brown eggs</source>
        <translation>huevos marrones</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>green eggs</source>
        <translation>huevos verdes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>cats</source>
        <translation>gatos</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Generation %1</source>
        <translation>Generación %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>brown lizards %1, eggs %2</source>
        <translation>lagartos marrones %1, huevos %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>green lizards %1, eggs %2</source>
        <translation>lagartos verdes %1, huevos %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>cats %1</source>
        <translation>gatos %1</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>Populations</source>
        <translation>Poblaciones</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>generation</source>
        <translation>generación</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>squares</source>
        <translation>casillas</translation>
    </message>
</context>
<context>
    <name>Inspector</name>
    <message>
        <location filename="../view/square_panel.cpp" line="+54"/>
        <source>Follow the creature</source>
        <translation>Seguir a la criatura</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+11"/>
        <source>Trace lines</source>
        <translation>Líneas de la traza</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Show or hide this turn&apos;s lines of the console&apos;s trace</source>
        <translation>Muestra u oculta las líneas de este turno en la traza de la consola</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Inspector</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Stop the run to edit the square.</source>
        <translation>Detenga la simulación para editar la casilla.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <location filename="../platform/output_file_posix.cpp" line="+50"/>
        <source>a disk device, not a file</source>
        <translation>un dispositivo de disco, no un archivo</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a socket, not a file</source>
        <translation>un socket, no un archivo</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../platform/output_file_windows.cpp" line="+84"/>
        <source>a device, not a file: this is written only to a file</source>
        <translation>un dispositivo, no un archivo: esto solo se escribe en un archivo</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a FIFO, not a file: this is written only to a file</source>
        <translation>una FIFO, no un archivo: esto solo se escribe en un archivo</translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+25"/>
        <source>leads to %1, %2</source>
        <translation>lleva a %1, %2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>a FIFO that no program reads</source>
        <translation>una FIFO que ningún programa lee</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <location filename="../model/rules.cpp" line="+72"/>
        <source>%1 fill needs four whole percentages E:B:G:C (empty, brown, green, cats) that sum to 100, not &apos;%2&apos;</source>
        <translation>%1 fill necesita cuatro porcentajes enteros E:B:G:C (vacías, marrones, verdes, gatos) que sumen 100, no &apos;%2&apos;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>unknown rule &apos;%1&apos;: the rules are hatch, mating, meal and fill</source>
        <translation>regla desconocida &apos;%1&apos;: las reglas son hatch, mating, meal y fill</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 %2 needs a whole number of visits from %3 to %4, not &apos;%5&apos;</source>
        <translation>%1 %2 necesita un número entero de visitas de %3 a %4, no &apos;%5&apos;</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 needs WxH: a width and a height of at least %2 squares, with at most %3 squares in all (2000x2000), not &apos;%4&apos;</source>
        <translation>%1 necesita AxL: un ancho y un alto de al menos %2 casillas, con %3 casillas en total como mucho (2000x2000), no &apos;%4&apos;</translation>
    </message>
</context>
<context>
    <name>RulesDialog</name>
    <message>
        <location filename="../view/rules_dialog.cpp" line="+23"/>
        <source>Empty squares:</source>
        <translation>Casillas vacías:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Brown lizards:</source>
        <translation>Lagartos marrones:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Green lizards:</source>
        <translation>Lagartos verdes:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cats:</source>
        <translation>Gatos:</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Rules</source>
        <translation>Reglas</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the standard rules</source>
        <translation>las reglas estándar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The next fill or clear brings these rules; the board runs by %1 until then.</source>
        <translation>El próximo llenado o limpieza trae estas reglas; hasta entonces el tablero funciona con %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Width:</source>
        <translation>Ancho:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Height:</source>
        <translation>Alto:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Squares across and down, as the home view shows the board: at least %1 each, at most %2 squares in all.</source>
        <translation>Casillas a lo ancho y a lo alto, tal como la vista inicial muestra el tablero: al menos %1 cada uno, %2 casillas en total como mucho.</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>A board has at most %1 squares, not %2.</source>
        <translation>Un tablero tiene %1 casillas como mucho, no %2.</translation>
    </message>
    <message>
        <location line="-47"/>
        <source>An egg hatches on visit:</source>
        <translation>Un huevo eclosiona en la visita:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A mating ends on visit:</source>
        <translation>Un apareamiento termina en la visita:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A meal ends on visit:</source>
        <translation>Una comida termina en la visita:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A fill&apos;s shares of the squares:</source>
        <translation>Reparto de las casillas en un llenado:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Standard rules</source>
        <translation>Reglas estándar</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>The shares sum to %1 %; they must sum to 100 %.</source>
        <translation>Las partes suman %1 %; deben sumar 100 %.</translation>
    </message>
</context>
<context>
    <name>RunOptions</name>
    <message>
        <location filename="../app/run_options.cpp" line="+15"/>
        <source>Usage: vivar [OPTION]...

A terrarium of lizards and cats on a board whose edges wrap, %1 x %2
squares unless told otherwise, shown in a 3D view that you can turn and
zoom.

Options:
  --seed S          seed every fill with S (0 to %3) and generation
                    k after the latest fill or clear with S + k, as
                    vivar-sim does (default: the clock)
  --pace MS         how long each generation stays on screen, 0 to %4 ms
                    (default %5; 0: as fast as the window keeps up)
  --counts FILE     write the populations of every generation the run
                    reaches to FILE as CSV, as vivar-sim --counts does; a
                    new run gets a file of its own beside it (run.csv,
                    run-2.csv, run-3.csv...), and so does a run whose FILE
                    holds another run&apos;s rows, which are never written over
  --board FILE      start with the board saved in FILE, stopped, and go on
                    with its run: from its generation, with its seed or
                    its recorded seeds (a --seed given wins)
  --quiet           print nothing on standard output (no trace)
  --size WxH        a board W squares wide and H high, at least %6 each and
                    at most %7 squares in all (default %1x%2)
</source>
        <translation>Modo de empleo: vivar [OPCIÓN]...

Un terrario de lagartos y gatos en un tablero cuyos bordes se unen, de
%1 x %2 casillas si no se indica otra cosa, mostrado en una vista 3D que se
puede girar y acercar.

Opciones:
  --seed S          siembra cada llenado con S (de 0 a %3) y la
                    generación k tras el último llenado o limpieza con
                    S + k, como hace vivar-sim (por omisión: el reloj)
  --pace MS         cuánto tiempo se queda cada generación en pantalla, de 0
                    a %4 ms (por omisión %5; 0: tan rápido como la
                    ventana dé abasto)
  --counts ARCHIVO  escribe las poblaciones de cada generación a la que
                    llega la simulación en ARCHIVO como CSV, como vivar-sim
                    --counts; una simulación nueva lleva un archivo propio
                    al lado (run.csv, run-2.csv, run-3.csv...), y también
                    una cuyo ARCHIVO tiene filas de otra simulación, que
                    nunca se sobrescriben
  --board ARCHIVO   empieza, detenido, con el tablero guardado en ARCHIVO, y
                    sigue su simulación: desde su generación, con su semilla
                    o sus semillas registradas (gana un --seed dado)
  --quiet           no escribe nada en la salida estándar (sin traza)
  --size AxL        un tablero de A casillas de ancho y L de alto, al menos
                    %6 cada uno y %7 casillas en total como mucho (por
                    omisión %1x%2)
</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>  --rule NAME=VALUE
                    change one of the rules (repeatable): hatch, mating,
                    meal are the visits an egg takes to hatch and a mating
                    and a meal last, %1 to %2 (default %3, %4, %5);
                    fill=E:B:G:C are the fill&apos;s whole percentages of empty
                    squares, brown and green lizards and cats, summing to
                    100 (default %6)
  --language L      speak L, en or es, whatever the system&apos;s language
  --help, /?        print this help
  --version         print the version

Keys:
  Space             play or stop
  N, . or Alt+Right one generation, then stop; after going back, the next
                    one of the run again
  , or Alt+Left     one generation back (while stopped); a click on the
                    chart goes to the generation under it
  + / -             faster / slower
  C                 show or hide the population chart
  1 to 8            the buttons of the column, from the top: play, stop,
                    clear, fill, lighter, less green, more blue, less blue
  Home, S, Esc      the viewer&apos;s own: home view, seek, pick or turn
  Ctrl+S            save the board shown to a file; while running, the
                    generation on screen when the key is pressed
  Ctrl+O            open a board file (while stopped)
  P                 save a picture of the view as a PNG, at a size asked for
  V                 record a film of the generations shown (WebM or GIF);
                    V again stops it
  R                 the rules: the board&apos;s size, the visits and the fill&apos;s
                    shares that the next fill or clear brings (while
                    stopped)
  Esc, then click   pick a square: the inspector beside the board tells
                    about it; Esc again lets go of it
  Del, B, G, K      make the picked square empty, a brown or green lizard,
                    or a cat (while stopped)
  Ctrl+B, Ctrl+G    a brown or green egg there
  [ and ]           turn the picked creature left or right
  F                 follow the picked creature: the picked square moves
                    with it, generation after generation
  Ctrl+Z            undo the latest change to the board: an edit, a fill,
                    a clear, an opened board, new rules (while stopped)
  Ctrl+Shift+Z, Ctrl+Y  redo it
  Ctrl+Q            quit, as closing the window does
Letters work with or without Shift.

Drag in the board to turn it; the wheels zoom and turn. Closing the window
ends the program after the generation under way.
</source>
        <extracomment>The rest of --help, which follows its first part (up to --size) directly</extracomment>
        <translation>  --rule NOMBRE=VALOR
                    cambia una de las reglas (se puede repetir): hatch,
                    mating, meal son las visitas que tarda un huevo en
                    eclosionar y que duran un apareamiento y una comida, de
                    %1 a %2 (por omisión %3, %4, %5); fill=E:B:G:C son los
                    porcentajes enteros del llenado de casillas vacías,
                    lagartos marrones y verdes y gatos, que suman 100 (por
                    omisión %6)
  --language L      habla en L, en o es, sea cual sea el idioma del sistema
  --help, /?        muestra esta ayuda
  --version         muestra la versión

Teclas:
  Espacio           reproducir o parar
  N, . o Alt+Dcha.  una generación y luego parar; tras volver atrás, la
                    siguiente de la misma simulación otra vez
  , o Alt+Izq.      una generación atrás (detenido); un clic en la gráfica
                    lleva a la generación que hay debajo
  + / -             más rápido / más lento
  C                 mostrar u ocultar la gráfica de poblaciones
  1 a 8             los botones de la columna, de arriba abajo: reproducir,
                    parar, limpiar, llenar, más claro, menos verde, más
                    azul, menos azul
  Inicio, S, Esc    las del visor: vista inicial, buscar, elegir o girar
  Ctrl+S            guardar en un archivo el tablero que se muestra; en
                    marcha, la generación que se ve al pulsar la tecla
  Ctrl+O            abrir un archivo de tablero (detenido)
  P                 guardar una imagen de la vista como PNG, al tamaño pedido
  V                 grabar una película de las generaciones mostradas (WebM
                    o GIF); V otra vez la detiene
  R                 las reglas: el tamaño del tablero, las visitas y el
                    reparto que trae el próximo llenado o limpieza (detenido)
  Esc y un clic     elegir una casilla: el inspector junto al tablero habla
                    de ella; Esc de nuevo la suelta
  Supr, B, G, K     vaciar la casilla elegida o poner en ella un lagarto
                    marrón o verde o un gato (detenido)
  Ctrl+B, Ctrl+G    un huevo marrón o verde en ella
  [ y ]             girar la criatura elegida a la izquierda o a la derecha
  F                 seguir a la criatura elegida: la casilla elegida se mueve
                    con ella, generación tras generación
  Ctrl+Z            deshacer el último cambio al tablero: una edición, un
                    llenado, una limpieza, un tablero abierto, reglas nuevas
                    (detenido)
  Ctrl+Mayús+Z, Ctrl+Y  rehacerlo
  Ctrl+Q            salir, como al cerrar la ventana
Las letras funcionan con o sin Mayús.

Arrastre en el tablero para girarlo; las ruedas acercan y giran. Al cerrar la
ventana el programa termina tras la generación en curso.
</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>--counts needs a file name</source>
        <translation>--counts necesita un nombre de archivo</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--board needs a file name</source>
        <translation>--board necesita un nombre de archivo</translation>
    </message>
</context>
<context>
    <name>RunPanel</name>
    <message>
        <location filename="../view/run_panel.cpp" line="+65"/>
        <source>brown lizards</source>
        <translation>lagartos marrones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>green lizards</source>
        <translation>lagartos verdes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>brown eggs</source>
        <translation>huevos marrones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>green eggs</source>
        <translation>huevos verdes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>cats</source>
        <translation>gatos</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Generation %1 of %2</source>
        <translation>Generación %1 de %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Generation %1</source>
        <translation>Generación %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>edited, not yet run on</source>
        <translation>editada, sin seguir aún</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>running</source>
        <translation>en marcha</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>stopped</source>
        <translation>detenido</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>● recording, frame %1</source>
        <translation>● grabando, fotograma %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+42"/>
        <source>brown lizards %1, eggs %2</source>
        <translation>lagartos marrones %1, huevos %2</translation>
    </message>
    <message>
        <location line="-41"/>
        <location line="+42"/>
        <source>green lizards %1, eggs %2</source>
        <translation>lagartos verdes %1, huevos %2</translation>
    </message>
    <message>
        <location line="-41"/>
        <location line="+42"/>
        <source>cats %1 (%2 eating)</source>
        <translation>gatos %1 (%2 comiendo)</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>history from generation %1</source>
        <translation>historia desde la generación %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>brown lizards died out at generation %1</source>
        <translation>los lagartos marrones se extinguieron en la generación %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>green lizards died out at generation %1</source>
        <translation>los lagartos verdes se extinguieron en la generación %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>pace %1 ms</source>
        <translation>ritmo %1 ms</translation>
    </message>
    <message>
        <location line="+253"/>
        <source>Population chart</source>
        <translation>Gráfica de poblaciones</translation>
    </message>
    <message>
        <location line="+192"/>
        <source>Now: %1</source>
        <translation>Ahora: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 by %2 squares, generation %3; %4</source>
        <translation>%1 por %2 casillas, generación %3; %4</translation>
    </message>
    <message>
        <location line="-474"/>
        <source>%1 generations a second</source>
        <translation>%1 generaciones por segundo</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>seed %1</source>
        <translation>semilla %1</translation>
    </message>
    <message>
        <location line="+204"/>
        <source>Status line</source>
        <translation>Línea de estado</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Populations</source>
        <translation>Poblaciones</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>generation</source>
        <translation>generación</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>squares</source>
        <translation>casillas</translation>
    </message>
    <message>
        <location line="-215"/>
        <source>rules %1</source>
        <translation>reglas %1</translation>
    </message>
</context>
<context>
    <name>RunSession</name>
    <message>
        <location filename="../app/run_session.cpp" line="+431"/>
        <source>the counts file &apos;%1&apos; could not be written: %2</source>
        <translation>no se pudo escribir el archivo de recuentos &apos;%1&apos;: %2</translation>
    </message>
</context>
<context>
    <name>SquareReport</name>
    <message>
        <location filename="../view/square_report.cpp" line="+25"/>
        <source>→ east</source>
        <translation>→ este</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>↗ north-east</source>
        <translation>↗ noreste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>↑ north</source>
        <translation>↑ norte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>↖ north-west</source>
        <translation>↖ noroeste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>← west</source>
        <translation>← oeste</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>↙ south-west</source>
        <translation>↙ suroeste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>↓ south</source>
        <translation>↓ sur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>↘ south-east</source>
        <translation>↘ sureste</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>brown egg</source>
        <translation>huevo marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>green egg</source>
        <translation>huevo verde</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>brown lizard</source>
        <translation>lagarto marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>green lizard</source>
        <translation>lagarto verde</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>empty</source>
        <translation>vacía</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>eating cat</source>
        <translation>gato comiendo</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>cat</source>
        <translation>gato</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>unknown</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A brown egg</source>
        <translation>Un huevo marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>A green egg</source>
        <translation>Un huevo verde</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A brown lizard, mating</source>
        <translation>Un lagarto marrón, apareándose</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>A green lizard, mating</source>
        <translation>Un lagarto verde, apareándose</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A brown lizard</source>
        <translation>Un lagarto marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>A green lizard</source>
        <translation>Un lagarto verde</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Nothing: an empty square</source>
        <translation>Nada: una casilla vacía</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A cat eating a green lizard</source>
        <translation>Un gato comiéndose un lagarto verde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A cat eating a brown lizard</source>
        <translation>Un gato comiéndose un lagarto marrón</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A cat</source>
        <translation>Un gato</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Something unknown (kind %1)</source>
        <translation>Algo desconocido (tipo %1)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Egg: %1 of %2 visits; it hatches on the last</source>
        <translation>Huevo: visita %1 de %2; eclosiona en la última</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mating: %1 of %2 visits; it ends on the last</source>
        <translation>Apareamiento: visita %1 de %2; termina en la última</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Meal: %1 of %2 visits; it ends on the last</source>
        <translation>Comida: visita %1 de %2; termina en la última</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>An egg does not look around.</source>
        <translation>Un huevo no mira a su alrededor.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>While mating it does not look around.</source>
        <translation>Mientras se aparea no mira a su alrededor.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>While eating it does not look around.</source>
        <translation>Mientras come no mira a su alrededor.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ahead: %1; front-right: %2; front-left: %3</source>
        <translation>Delante: %1; delante a la derecha: %2; delante a la izquierda: %3</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>row %1, column %2</source>
        <translation>fila %1, columna %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Row %1, column %2</source>
        <translation>Fila %1, columna %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Heading: %1</source>
        <translation>Rumbo: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No generation has run since this square was picked or the board changed.</source>
        <translation>No ha pasado ninguna generación desde que se eligió esta casilla o cambió el tablero.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Chosen as a mate in the last generation:</source>
        <translation>En la última generación, otro lagarto la eligió como pareja:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No creature acted here in the last generation.</source>
        <translation>Ninguna criatura actuó aquí en la última generación.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Its last turn:</source>
        <translation>Su último turno:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Its last turn, which brought it here from %1:</source>
        <translation>Su último turno, que la trajo aquí desde %1:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The creature that was here left for %1 in its last turn:</source>
        <translation>La criatura que estaba aquí se fue a %1 en su último turno:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The creature that was here left in its last turn:</source>
        <translation>La criatura que estaba aquí se fue en su último turno:</translation>
    </message>
</context>
<context>
    <name>TurnStory</name>
    <message>
        <location filename="../view/turn_story.cpp" line="+21"/>
        <source>east</source>
        <translation>este</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>north-east</source>
        <translation>noreste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>north</source>
        <translation>norte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>north-west</source>
        <translation>noroeste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>west</source>
        <translation>oeste</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>south-west</source>
        <translation>suroeste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>south</source>
        <translation>sur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>south-east</source>
        <translation>sureste</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a cat</source>
        <translation>un gato</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a brown egg</source>
        <translation>un huevo marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>a green egg</source>
        <translation>un huevo verde</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a brown lizard</source>
        <translation>un lagarto marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>a green lizard</source>
        <translation>un lagarto verde</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>turned at random and still faces %1</source>
        <translation>giró al azar y sigue mirando al %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>turned at random to face %1</source>
        <translation>giró al azar y ahora mira al %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>An egg: visit %1 of %2; it hatches on the last.</source>
        <translation>Un huevo: visita %1 de %2; eclosiona en la última.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>It hatched and faces %1.</source>
        <translation>Salió del huevo y mira al %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mating, visit %1 of %2.</source>
        <translation>Apareándose, visita %1 de %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The mating ended; it still faces %1.</source>
        <translation>El apareamiento terminó; sigue mirando al %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The mating ended and it turned to face %1.</source>
        <translation>El apareamiento terminó y giró para mirar al %1.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saw a cat ahead to the %1 and fled to %2, now facing %3.</source>
        <translation>Vio un gato delante, al %1, y huyó a la %2; ahora mira al %3.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saw a cat ahead to the %1, found no free square around it and %2.</source>
        <translation>Vio un gato delante, al %1, no encontró ninguna casilla libre alrededor y %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+17"/>
        <location line="+19"/>
        <source>a lizard</source>
        <translation>un lagarto</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Mated with by %1 at %2, which laid an egg at %3.</source>
        <translation>Se apareó con ella %1 desde la %2, que puso un huevo en la %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Saw %1 ahead to the %2 but no empty square for an egg, and %3.</source>
        <translation>Vio %1 delante, al %2, pero ninguna casilla vacía para un huevo, y %3.</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Mated with in generation %1 by %2 at %3.</source>
        <translation>Apareándose desde la generación %1: la eligió %2 en la %3.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mating since generation %1 with %2 at %3.</source>
        <translation>Apareándose desde la generación %1 con %2 en la %3.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Followed %1, which hatched here in generation %2.</source>
        <translation>Seguía a %1, que eclosionó aquí en la generación %2.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Followed %1 until a cat from %2 caught it here in generation %3; no longer following.</source>
        <translation>Seguía a %1 hasta que un gato venido de la %2 lo atrapó aquí en la generación %3; ya no sigue a ninguna criatura.</translation>
    </message>
    <message>
        <location line="-86"/>
        <source>Saw %1 ahead to the %2 and laid an egg with it at %3.</source>
        <translation>Vio %1 delante, al %2, y puso con él un huevo en la %3.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saw %1 ahead to the %2 but did not mate.</source>
        <translation>Vio %1 delante, al %2, pero no se apareó.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saw no cat and no mate ahead, and walked to %1, now facing %2.</source>
        <translation>No vio delante ningún gato ni pareja, y caminó a la %1; ahora mira al %2.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Saw no cat, no mate and no empty square ahead, and %1.</source>
        <translation>No vio delante ningún gato, ni pareja, ni casilla vacía, y %1.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Eating, visit %1 of %2.</source>
        <translation>Comiendo, visita %1 de %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The meal ended; it still faces %1.</source>
        <translation>La comida terminó; sigue mirando al %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The meal ended and it turned to face %1.</source>
        <translation>La comida terminó y giró para mirar al %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Saw %1 ahead to the %2 and caught it at %3.</source>
        <translation>Vio %1 delante, al %2, y lo atrapó en la %3.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Saw no lizard ahead, and walked to %1, now facing %2.</source>
        <translation>No vio ningún lagarto delante, y caminó a la %1; ahora mira al %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saw no lizard and no empty square ahead, and %1.</source>
        <translation>No vio delante ningún lagarto ni casilla vacía, y %1.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Laid in generation %1 by %2 at %3.</source>
        <translation>Puesto en la generación %1 por %2 en la %3.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Laid in generation %1 by %2 at %3 with %4 at %5.</source>
        <translation>Puesto en la generación %1 por %2 en la %3 con %4 en la %5.</translation>
    </message>
</context>
<context>
    <name>View</name>
    <message>
        <location filename="../view/picture_folders.cpp" line="+135"/>
        <source>vivar: %1 of %2 pictures not found; looked in %3 (VIVAR_PICTURES can name their folder)</source>
        <translation>vivar: no se encontraron %1 de %2 imágenes; se buscaron en %3 (VIVAR_PICTURES puede nombrar su carpeta)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 of %2 pictures not found (VIVAR_PICTURES)</source>
        <translation>no se encontraron %1 de %2 imágenes (VIVAR_PICTURES)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>vivar could not find %1 of its %2 pictures: squares and buttons whose picture is missing are blank.</source>
        <translation>vivar no encontró %1 de sus %2 imágenes: las casillas y los botones cuya imagen falta se ven en blanco.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>It looked in:
%1

Set VIVAR_PICTURES to the folder that holds them (the pictures folder that comes with vivar), or start vivar from that folder.</source>
        <translation>Las buscó en:
%1

Haga que VIVAR_PICTURES nombre la carpeta que las contiene (la carpeta pictures que viene con vivar), o inicie vivar desde esa carpeta.</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>vivar: pictures not found</source>
        <translation>vivar: no se encontraron las imágenes</translation>
    </message>
    <message>
        <location filename="../view/controls.cpp" line="+32"/>
        <source>Pick: clicks in the view point at the board instead of turning it (Esc switches)</source>
        <translation>Elegir: los clics en la vista señalan el tablero en lugar de girarlo (Esc cambia)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>View: drag to turn the board, Shift+drag to move it, Ctrl+drag to zoom (Esc switches)</source>
        <translation>Ver: arrastre para girar el tablero, Mayús+arrastrar para moverlo, Ctrl+arrastrar para acercarlo (Esc cambia)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home: back to the home view (Home)</source>
        <translation>Inicio: vuelve a la vista inicial (Inicio)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set home: make this view the home view</source>
        <translation>Fijar inicio: hace de esta vista la vista inicial</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>View all: fit the whole board in the view</source>
        <translation>Ver todo: encaja todo el tablero en la vista</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Seek: click a point to move towards it (S)</source>
        <translation>Buscar: haga clic en un punto para acercarse a él (S)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Projection: switch between perspective and orthographic</source>
        <translation>Proyección: cambia entre perspectiva y ortográfica</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pick</source>
        <translation>Elegir</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Turn the view</source>
        <translation>Girar la vista</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Set home</source>
        <translation>Fijar inicio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>View all</source>
        <translation>Ver todo</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Seek</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Projection</source>
        <translation>Proyección</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear</source>
        <translation>Limpiar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fill</source>
        <translation>Llenar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lighter</source>
        <translation>Más claro</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Less green</source>
        <translation>Menos verde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>More blue</source>
        <translation>Más azul</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Less blue</source>
        <translation>Menos azul</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>One generation back</source>
        <translation>Una generación atrás</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One generation</source>
        <translation>Una generación</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Slower</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Faster</source>
        <translation>Más rápido</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show chart</source>
        <translation>Mostrar la gráfica</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Film</source>
        <translation>Película</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Empty</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Make the picked square empty (Delete)</source>
        <translation>Vaciar la casilla elegida (Supr)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Brown</source>
        <translation>Marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Put a brown lizard on the picked square (B)</source>
        <translation>Poner un lagarto marrón en la casilla elegida (B)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Put a green lizard on the picked square (G)</source>
        <translation>Poner un lagarto verde en la casilla elegida (G)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cat</source>
        <translation>Gato</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Put a cat on the picked square (K)</source>
        <translation>Poner un gato en la casilla elegida (K)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Brown egg</source>
        <translation>Huevo marrón</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Put a brown egg on the picked square (Ctrl+B)</source>
        <translation>Poner un huevo marrón en la casilla elegida (Ctrl+B)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Green egg</source>
        <translation>Huevo verde</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Put a green egg on the picked square (Ctrl+G)</source>
        <translation>Poner un huevo verde en la casilla elegida (Ctrl+G)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>↺ Left</source>
        <translation>↺ Izquierda</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn the picked creature 45 degrees to its left ([)</source>
        <translation>Girar la criatura elegida 45 grados a su izquierda ([)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>↻ Right</source>
        <translation>↻ Derecha</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn the picked creature 45 degrees to its right (])</source>
        <translation>Girar la criatura elegida 45 grados a su derecha (])</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Follow the creature on the picked square as it moves, generation by generation, until it is caught (F)</source>
        <translation>Seguir a la criatura de la casilla elegida mientras se mueve, generación tras generación, hasta que la atrapen (F)</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Rules</source>
        <translation>Reglas</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Experiment…</source>
        <translation>Experimento…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Experiment</source>
        <translation>Experimento</translation>
    </message>
    <message>
        <location filename="../view/board_dialogs.cpp" line="+35"/>
        <source>vivar boards (*.vivar);;All files (*)</source>
        <translation>Tableros de vivar (*.vivar);;Todos los archivos (*)</translation>
    </message>
    <message>
        <location filename="../view/problems.cpp" line="+19"/>
        <source>the trace could not be written to standard output: %1</source>
        <translation>no se pudo escribir la traza en la salida estándar: %1</translation>
    </message>
    <message>
        <location filename="../view/controls.cpp" line="-89"/>
        <source>One generation back, while stopped (, or Alt+Left)</source>
        <translation>Una generación atrás, con la simulación detenida (, o Alt+Izquierda)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>One generation, then stop; after going back, the next one of the run again (N, . or Alt+Right)</source>
        <translation>Una generación y parar; tras volver atrás, la siguiente de la misma simulación otra vez (N, . o Alt+Derecha)</translation>
    </message>
    <message>
        <location filename="../view/navigator.cpp" line="+203"/>
        <source>The run goes back only while stopped: stop it first (Space).</source>
        <translation>Solo se vuelve atrás con la simulación detenida: deténgala antes (Espacio).</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The history goes back to generation %1: older ones were let go to save memory.</source>
        <translation>La historia llega hasta la generación %1: las anteriores se descartaron para ahorrar memoria.</translation>
    </message>
    <message>
        <location filename="../view/controls.cpp" line="+2"/>
        <source>Slower: each generation stays longer on screen (-)</source>
        <translation>Más lento: cada generación se queda más tiempo en pantalla (-)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Faster (+)</source>
        <translation>Más rápido (+)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Show or hide the population chart (C)</source>
        <translation>Mostrar u ocultar la gráfica de poblaciones (C)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Undo the latest change to the board: an edit, a fill, a clear, an opened board or new rules, while stopped (Ctrl+Z)</source>
        <translation>Deshacer el último cambio al tablero: una edición, un llenado, una limpieza, un tablero abierto o reglas nuevas, detenido (Ctrl+Z)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Redo the change undone last, while stopped (Ctrl+Shift+Z or Ctrl+Y)</source>
        <translation>Rehacer el último cambio deshecho, detenido (Ctrl+Mayús+Z o Ctrl+Y)</translation>
    </message>
    <message>
        <location filename="../view/view.cpp" line="+107"/>
        <source>vivar: could not open the viewer window: no display could be opened</source>
        <translation>vivar: no se pudo abrir la ventana del visor: no se pudo abrir ninguna pantalla</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <location filename="../view/board_dialogs.cpp" line="+21"/>
        <source>The run goes on from generation %1 with seed %2 from --seed, not the board&apos;s seed %3</source>
        <translation>La simulación sigue desde la generación %1 con la semilla %2 de --seed, no con la semilla del tablero, %3</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The run goes on from generation %1 with the board&apos;s seed %2</source>
        <translation>La simulación sigue desde la generación %1 con la semilla del tablero, %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The run goes on from generation %1 with seed %2 from --seed</source>
        <translation>La simulación sigue desde la generación %1 con la semilla %2 de --seed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The run goes on from generation %1 with the recorded seeds of the %2 generations that followed it, then the clock&apos;s</source>
        <translation>La simulación sigue desde la generación %1 con las semillas registradas de las %2 generaciones que la siguieron, y luego las del reloj</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The run goes on from generation %1 with seeds from the clock</source>
        <translation>La simulación sigue desde la generación %1 con semillas del reloj</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Save the board at generation %1</source>
        <translation>Guardar el tablero en la generación %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 already exists. Do you want to replace it?</source>
        <translation>%1 ya existe. ¿Quiere reemplazarlo?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the board was not saved: %1</source>
        <translation>no se guardó el tablero: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A board opens only while stopped: stop the run first (Space).</source>
        <translation>Un tablero solo se abre con la simulación detenida: deténgala antes (Espacio).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Open a board</source>
        <translation>Abrir un tablero</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+5"/>
        <source>the board was not opened: %1</source>
        <translation>no se abrió el tablero: %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The board was not opened: the run started again before it could be.</source>
        <translation>El tablero no se abrió: la simulación volvió a arrancar antes.</translation>
    </message>
    <message>
        <location filename="../view/view.h" line="+52"/>
        <source>Play: run the generations (Space or 1)</source>
        <translation>Reproducir: avanzan las generaciones (Espacio o 1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop after the generation under way (Space or 2)</source>
        <translation>Parar tras la generación en curso (Espacio o 2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear: empty the board, while stopped (3)</source>
        <translation>Limpiar: vacía el tablero, con la simulación detenida (3)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fill the board at random, while stopped (4)</source>
        <translation>Llenar el tablero al azar, con la simulación detenida (4)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lighter: more red, green and blue in the background, while stopped (5)</source>
        <translation>Más claro: más rojo, verde y azul en el fondo, con la simulación detenida (5)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less green in the background, while stopped (6)</source>
        <translation>Menos verde en el fondo, con la simulación detenida (6)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>More blue in the background, while stopped (7)</source>
        <translation>Más azul en el fondo, con la simulación detenida (7)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less blue in the background, while stopped (8)</source>
        <translation>Menos azul en el fondo, con la simulación detenida (8)</translation>
    </message>
    <message>
        <location filename="../view/controls.cpp" line="-33"/>
        <source>Rules: the board&apos;s size, the visits and the fill&apos;s shares that the next fill or clear brings (R)</source>
        <translation>Reglas: el tamaño del tablero, las visitas y el reparto que trae el próximo llenado o limpieza (R)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Experiment: many runs in the background, one or two rules varied, their table and its plot; shows the experiment under way once there is one (E)</source>
        <translation>Experimento: muchas simulaciones en segundo plano, con una o dos reglas variadas, su tabla y su gráfica; muestra el experimento en curso cuando lo hay (E)</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Save a picture of the view as a PNG file, at a size of its own, up to 7680x4320 (P)</source>
        <translation>Guardar una imagen de la vista como archivo PNG, a un tamaño propio, hasta 7680x4320 (P)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Record a film, one frame for each generation shown, as WebM video or an animated GIF; again to stop (V)</source>
        <translation>Grabar una película, un fotograma por cada generación mostrada, como vídeo WebM o GIF animado; otra vez para detenerla (V)</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Rules…</source>
        <translation>Reglas…</translation>
    </message>
    <message>
        <location filename="../view/navigator.cpp" line="-179"/>
        <source>the edit of %1 at generation %2</source>
        <translation>la edición de %1 en la generación %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the fill</source>
        <translation>el llenado</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the clear</source>
        <translation>la limpieza</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the opened board</source>
        <translation>el tablero abierto</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the new rules</source>
        <translation>las reglas nuevas</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>the run before is kept: Ctrl+Z brings it back</source>
        <translation>la simulación anterior se guarda: Ctrl+Z la recupera</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The edit was not made: the run started again before it could be.</source>
        <translation>La edición no se hizo: la simulación volvió a arrancar antes.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Generation %1 is edited: the recorded generations after it stay until the run goes on from this board (Ctrl+Z undoes the edit)</source>
        <translation>La generación %1 está editada: las generaciones registradas tras ella se mantienen hasta que la simulación siga desde este tablero (Ctrl+Z deshace la edición)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Generations %1 to %2 are set aside: the run goes on from the edited board (Ctrl+Z brings them back)</source>
        <translation>Las generaciones %1 a %2 quedan aparte: la simulación sigue desde el tablero editado (Ctrl+Z las recupera)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Undo works while stopped: stop the run first (Space).</source>
        <translation>Deshacer funciona con la simulación detenida: deténgala primero (Espacio).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Redo works while stopped: stop the run first (Space).</source>
        <translation>Rehacer funciona con la simulación detenida: deténgala primero (Espacio).</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Nothing to undo.</source>
        <translation>Nada que deshacer.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Nothing to redo.</source>
        <translation>Nada que rehacer.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Not undone: %1 is older than the history, which let it go to save memory.</source>
        <translation>No se deshizo: %1 es anterior a la historia, que la soltó para ahorrar memoria.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Undone: %1</source>
        <translation>Deshecho: %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Redone: %1</source>
        <translation>Rehecho: %1</translation>
    </message>
    <message>
        <location filename="../view/run_on_screen.cpp" line="+68"/>
        <source>the counts file named holds the rows of another run, which stay: this run&apos;s counts go to %1</source>
        <translation>el archivo de recuentos indicado tiene las filas de otra ejecución, que se conservan: los recuentos de esta ejecución van a %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the counts of this run go to a file of their own, %1</source>
        <translation>los recuentos de esta simulación van a un archivo propio, %1</translation>
    </message>
    <message>
        <location filename="../view/board_rules.cpp" line="+70"/>
        <source>The rules change only while stopped: stop the run first (Space).</source>
        <translation>Las reglas solo cambian con la simulación detenida: deténgala antes (Espacio).</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The new rules come with the next fill (4) or clear (3).</source>
        <translation>Las nuevas reglas llegan con el próximo llenado (4) o limpieza (3).</translation>
    </message>
    <message>
        <location filename="../view/navigator.cpp" line="+22"/>
        <source>Generation %1 is edited: go on from it (N) or undo the edits (Ctrl+Z) before going to another generation.</source>
        <translation>La generación %1 está editada: siga desde ella (N) o deshaga las ediciones (Ctrl+Z) antes de ir a otra generación.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Generation %1 is where this run starts.</source>
        <translation>La generación %1 es donde empieza esta simulación.</translation>
    </message>
    <message>
        <location filename="../view/recorder.cpp" line="+105"/>
        <source>Save a picture of the view</source>
        <translation>Guardar una imagen de la vista</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the picture was not saved: OpenGL could not draw the view off screen at %1x%2</source>
        <translation>no se guardó la imagen: OpenGL no pudo dibujar la vista fuera de pantalla a %1x%2</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+7"/>
        <location line="+5"/>
        <source>the picture was not saved: %1: %2</source>
        <translation>no se guardó la imagen: %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The view saved as %1 (%2x%3)</source>
        <translation>La vista se guardó como %1 (%2x%3)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Record a film of the generations shown</source>
        <translation>Grabar una película de las generaciones mostradas</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>no film was recorded: %1: %2</source>
        <translation>no se grabó ninguna película: %1: %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Recording %1: one frame for each generation shown; V stops</source>
        <translation>Grabando %1: un fotograma por cada generación mostrada; V la detiene</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>OpenGL could not draw the view off screen</source>
        <translation>OpenGL no pudo dibujar la vista fuera de pantalla</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The film stopped: %1: %2; no frame reached the file, which is not kept</source>
        <translation>La película se detuvo: %1: %2; ningún fotograma llegó al archivo, que no se guarda</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The film stopped: %1: %2; it is cut short after %3 frames</source>
        <translation>La película se detuvo: %1: %2; queda cortada tras %3 fotogramas</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The film %1 is saved: %2 frames</source>
        <translation>La película %1 está guardada: %2 fotogramas</translation>
    </message>
    <message>
        <location filename="../view/experiments.cpp" line="+34"/>
        <location line="+17"/>
        <source>vivar experiment</source>
        <translation>experimento de vivar</translation>
    </message>
    <message>
        <location line="-16"/>
        <source>An experiment is under way: stop it first to set up another.</source>
        <translation>Hay un experimento en curso: deténgalo antes de preparar otro.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The experiment did not start: %1</source>
        <translation>El experimento no empezó: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Seed %1 with %2, at generation 0: play (Space) to watch it</source>
        <translation>Semilla %1 con %2, en la generación 0: pulse reproducir (Espacio) para mirarla</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the standard rules</source>
        <translation>las reglas estándar</translation>
    </message>
</context>
<context>
    <name>VivarSim</name>
    <message>
        <location filename="../programs/vivar-sim/options.cpp" line="+28"/>
        <source>Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]
  or:  vivar-sim --seeds A:B [OPTION]... --counts | --summary
  or:  vivar-sim --seeds A:B --vary NAME=VALUES [OPTION]... --counts | --summary
  or:  vivar-sim --plot TABLE FILE [--against NAME] [--show WHAT] [--plot-size WxH]

Runs the terrarium without a window.

Options:
  --seed S           calendar second that seeds the fill, 0 to %1
                     (default: now, or the board file&apos;s seed); generation k
                     is seeded with S + k
  --board FILE       start from the board in FILE instead of the fill, at
                     the generation it was saved after, and run N more
                     generations seeded as its run was (its seed, or the
                     seeds it recorded), so that it goes on exactly; with
                     --seed S, generation k is seeded with S + k instead
  --generations N    number of generations (default %2)
  --counts           print a CSV of the populations instead of the trace;
                     with --seeds, each row starts with its run&apos;s size,
                     rules and seed
  --summary          print one CSV row per seed: the last generation&apos;s
                     populations and, for each lizard species, the first
                     generation with none of its adults or eggs left
  --save-board FILE  after the last generation, write the board to FILE
                     with its place in the run, which --board FILE goes on
                     from (not with --seeds)
  --at K             with --save-board, save the board after generation K
                     instead, from the first to the last, as the run passes
                     it: the output is the same
  --seeds A:B        run every seed from A to B (each 0 to %1);
                     needs --counts or --summary
  --jobs J           threads for --seeds (default: the number of cores)
  --size WxH         a board W squares wide and H high on a torus, each at
                     least %3, at most %4 squares (default %5x%6)
  --film FILE        film the run into FILE, one frame per generation, the
                     first board included: a WebM video (VP8) when FILE ends
                     in .webm, an animated GIF when it ends in .gif; the
                     board as the window&apos;s home view shows it, a board map
                     of one colour per kind where its squares would be too
                     small for their pictures (not with --seeds)
  --film-size WxH    the film&apos;s size in pixels, %7x%7 to %8 (default: the
                     board&apos;s shape, %9 pixels on its longer side)
</source>
        <translation>Modo de empleo: vivar-sim [OPCIÓN]... [--counts | --summary] [--save-board ARCHIVO [--at K]]
   o:  vivar-sim --seeds A:B [OPCIÓN]... --counts | --summary
   o:  vivar-sim --seeds A:B --vary NOMBRE=VALORES [OPCIÓN]... --counts | --summary
   o:  vivar-sim --plot TABLA ARCHIVO [--against NOMBRE] [--show QUÉ] [--plot-size AxL]

Simula el terrario sin ventana.

Opciones:
  --seed S           segundo del calendario que siembra el llenado, de 0 a %1
                     (por omisión: ahora, o la semilla del archivo de
                     tablero); la generación k se siembra con S + k
  --board ARCHIVO    empieza desde el tablero de ARCHIVO en lugar del
                     llenado, en la generación tras la que se guardó, y
                     simula N generaciones más sembradas como lo fue su
                     simulación (su semilla, o las semillas que registró),
                     de modo que sigue exactamente; con --seed S, la
                     generación k se siembra con S + k
  --generations N    número de generaciones (por omisión %2)
  --counts           escribe un CSV de las poblaciones en lugar de la traza;
                     con --seeds, cada fila empieza con el tamaño, las reglas
                     y la semilla de su simulación
  --summary          escribe una fila CSV por semilla: las poblaciones de la
                     última generación y, para cada especie de lagarto, la
                     primera generación sin adultos ni huevos suyos
  --save-board ARCHIVO
                     tras la última generación, escribe el tablero en
                     ARCHIVO con su lugar en la simulación, desde el que
                     sigue --board ARCHIVO (no con --seeds)
  --at K             con --save-board, guarda en su lugar el tablero tras la
                     generación K, de la primera a la última, cuando la
                     simulación pasa por ella: la salida es la misma
  --seeds A:B        simula cada semilla de A a B (cada una de 0 a %1);
                     necesita --counts o --summary
  --jobs J           hilos para --seeds (por omisión: el número de núcleos)
  --size AxL         un tablero de A casillas de ancho y L de alto sobre un
                     toro, cada uno al menos %3, como mucho %4 casillas (por
                     omisión %5x%6)
  --film ARCHIVO     filma la simulación en ARCHIVO, un fotograma por
                     generación, con el primer tablero: un vídeo WebM (VP8)
                     si ARCHIVO termina en .webm, un GIF animado si termina
                     en .gif; el tablero como lo muestra la vista inicial de
                     la ventana, un mapa del tablero con un color por tipo
                     donde sus casillas serían demasiado pequeñas para sus
                     imágenes (no con --seeds)
  --film-size AxL    el tamaño de la película en píxeles, de %7x%7 a %8 (por
                     omisión: la forma del tablero, %9 píxeles en su lado
                     más largo)
</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>  --film-rate N      the film&apos;s generations per second, %7 to %8 (default %9)
  --film-caption     under the board, a line with the generation and the
                     populations
  --film-chart       beside the board, the population chart as the window
                     draws it
  --rule NAME=VALUE
                     change one of the rules (repeatable): hatch, mating,
                     meal are the visits an egg takes to hatch and a
                     mating and a meal last, %1 to %2 (default %3, %4, %5);
                     fill=E:B:G:C are the fill&apos;s whole percentages of
                     empty squares, brown and green lizards and cats,
                     summing to 100 (default %6)
  --vary NAME=V1,V2,...
                     with --seeds, run every seed under each of these values
                     of a rule (hatch, mating, meal, fill) or of size (WxH);
                     hatch, mating, meal and size also take FIRST:LAST:STEP,
                     a size N there meaning NxN. Repeatable: every
                     combination of the values runs, the first --vary
                     changing slowest; the values replace what --rule or
                     --size says
  --part I/N         with --seeds, run only the I-th of N equal shares of
                     the runs, in order: parts 1 to N, concatenated, are the
                     whole output, and part 1 alone prints the header
  --resume FILE      with --seeds, go on with FILE, this command&apos;s table cut
                     short by a stop: its whole runs are kept, the rest run
                     and added to FILE, which then holds what one run without
                     a stop writes; a file that is not this command&apos;s table
                     (or part) is refused and left as it was
</source>
        <translation>  --film-rate N      las generaciones por segundo de la película, de %7 a %8
                     (por omisión %9)
  --film-caption     bajo el tablero, una línea con la generación y las
                     poblaciones
  --film-chart       junto al tablero, la gráfica de poblaciones como la
                     dibuja la ventana
  --rule NOMBRE=VALOR
                     cambia una de las reglas (se puede repetir): hatch,
                     mating, meal son las visitas que tarda un huevo en
                     eclosionar y que duran un apareamiento y una comida, de
                     %1 a %2 (por omisión %3, %4, %5); fill=E:B:G:C son los
                     porcentajes enteros del llenado de casillas vacías,
                     lagartos marrones y verdes y gatos, que suman 100 (por
                     omisión %6)
  --vary NOMBRE=V1,V2,...
                     con --seeds, simula cada semilla con cada uno de estos
                     valores de una regla (hatch, mating, meal, fill) o del
                     tamaño (size, AxL); hatch, mating, meal y size también
                     admiten PRIMERO:ÚLTIMO:PASO, y un tamaño N ahí es NxN.
                     Se puede repetir: se simula cada combinación de los
                     valores, y el primer --vary es el que cambia más
                     despacio; los valores sustituyen a lo que dicen --rule
                     o --size
  --part I/N         con --seeds, simula solo la I-ésima de N partes iguales
                     de las simulaciones, en orden: las partes 1 a N, una
                     tras otra, son la salida entera, y solo la parte 1
                     escribe la cabecera
  --resume ARCHIVO   con --seeds, sigue con ARCHIVO, la tabla de esta orden
                     cortada por una parada: se conservan sus simulaciones
                     completas, el resto se simula y se añade a ARCHIVO, que
                     queda como lo escribe una ejecución sin parada; un
                     archivo que no es la tabla (o parte) de esta orden se
                     rechaza y se deja como estaba
</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>  --plot TABLE FILE  draw the experiment in TABLE (the output of --seeds A:B
                     --summary, with --vary or not, or its parts one after
                     another) into FILE, a PNG picture or an SVG drawing by
                     its ending, and run nothing: the share of runs in which
                     both lizard species survive and in which one does,
                     with 95 % intervals, against the varied setting; a grid
                     of the shares when two settings vary
  --against NAME     with --plot, the setting along the x axis (size, hatch,
                     mating, meal, fill), one line for each value of the
                     other varied ones
  --show WHAT        with --plot: survival (default), populations (the last
                     generation&apos;s, median and quartiles) or extinction (the
                     generation at which the first species died out)
  --plot-size WxH    with --plot, the picture&apos;s size in pixels, %1 to %2
                     (default %3x%4)
</source>
        <translation>  --plot TABLA ARCHIVO
                     dibuja el experimento de TABLA (la salida de --seeds A:B
                     --summary, con --vary o sin él, o sus partes una tras
                     otra) en ARCHIVO, una imagen PNG o un dibujo SVG según
                     su terminación, sin simular nada: la proporción de
                     simulaciones en las que sobreviven las dos especies de
                     lagartos y en las que sobrevive una, con intervalos del
                     95 %, frente al ajuste que varía; una cuadrícula de las
                     proporciones cuando varían dos ajustes
  --against NOMBRE   con --plot, el ajuste del eje x (size, hatch, mating,
                     meal, fill), con una línea por cada valor de los demás
                     ajustes que varían
  --show QUÉ         con --plot: survival (por omisión), populations (las de
                     la última generación, mediana y cuartiles) o extinction
                     (la generación en la que se extinguió la primera especie)
  --plot-size AxL    con --plot, el tamaño de la imagen en píxeles, de %1
                     a %2 (por omisión %3x%4)
</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>  --language L       speak L, en or es, in this help and the complaints
                     (default en, whatever the system&apos;s language)
  --help, /?         print this help
  --version          print the version

In the CSV, lizard1 and egg1 are the brown lizards and their eggs, lizard2
and egg2 the green ones; species1 is brown, species2 green. With --seeds, and
in --summary, every row begins with its run&apos;s size and rules, varied or not:
size,hatch,mating,meal,fill, then the seed.

Ctrl+C or SIGTERM ends the output at a whole row, says on stderr how much was
written, and exits with status 130 or 143.
</source>
        <translation>  --language L       habla en L, en o es, en esta ayuda y en las quejas
                     (por omisión en, sea cual sea el idioma del sistema)
  --help, /?         muestra esta ayuda
  --version          muestra la versión

En el CSV, lizard1 y egg1 son los lagartos marrones y sus huevos, lizard2 y
egg2 los verdes; species1 es la marrón, species2 la verde. Con --seeds, y en
--summary, cada fila empieza con el tamaño y las reglas de su simulación,
variadas o no: size,hatch,mating,meal,fill, y luego la semilla.

Ctrl+C o SIGTERM termina la salida en una fila completa, dice en stderr
cuánto se escribió y sale con el estado 130 o 143.
</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>--seeds needs a range A:B of whole numbers from 0 to %1, not &apos;%2&apos;</source>
        <translation>--seeds necesita un intervalo A:B de números enteros de 0 a %1, no &apos;%2&apos;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--seeds needs A:B with A no greater than B, not &apos;%1&apos;</source>
        <translation>--seeds necesita A:B con A no mayor que B, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>--part needs I/N, whole numbers with 1 &lt;= I &lt;= N, not &apos;%1&apos;</source>
        <translation>--part necesita I/N, números enteros con 1 &lt;= I &lt;= N, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>--vary %1 is given twice: list all its values in one --vary</source>
        <translation>--vary %1 se da dos veces: indique todos sus valores en un solo --vary</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a file name</source>
        <translation>%1 necesita un nombre de archivo</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>--plot needs a picture&apos;s name ending in .png or .svg, not &apos;%1&apos;</source>
        <translation>--plot necesita un nombre de imagen terminado en .png o .svg, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>--against needs one of size, hatch, mating, meal, fill, not &apos;%1&apos;</source>
        <translation>--against necesita uno de size, hatch, mating, meal, fill, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>--show needs survival, populations or extinction, not &apos;%1&apos;</source>
        <translation>--show necesita survival, populations o extinction, no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>--plot-size needs WxH, each from %1 to %2, not &apos;%3&apos;</source>
        <translation>--plot-size necesita AxL, cada uno de %1 a %2, no &apos;%3&apos;</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>--film needs a file name ending in .webm (a video) or .gif (an animated GIF), not &apos;%1&apos;</source>
        <translation>--film necesita un nombre de archivo que termine en .webm (un vídeo) o .gif (un GIF animado), no &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>%1 goes with --plot TABLE FILE</source>
        <translation>%1 va con --plot TABLA ARCHIVO</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--plot draws a table and runs nothing: it goes with --against, --show and --plot-size only</source>
        <translation>--plot dibuja una tabla y no simula nada: solo va con --against, --show y --plot-size</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--counts and --summary do not go together</source>
        <translation>--counts y --summary no van juntos</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--seed and --seeds do not go together</source>
        <translation>--seed y --seeds no van juntos</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--seeds needs --counts or --summary: the traces of many runs would be one tangle</source>
        <translation>--seeds necesita --counts o --summary: las trazas de muchas simulaciones serían una maraña</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--jobs goes with --seeds</source>
        <translation>--jobs va con --seeds</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--save-board goes with a single run, not with --seeds</source>
        <translation>--save-board va con una sola simulación, no con --seeds</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--at goes with --save-board</source>
        <translation>--at va con --save-board</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--film goes with a single run, not with --seeds</source>
        <translation>--film va con una sola simulación, no con --seeds</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 goes with --film FILE</source>
        <translation>%1 va con --film ARCHIVO</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--at %1 is after the last generation, %2</source>
        <translation>--at %1 es posterior a la última generación, %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--vary goes with --seeds A:B (a single seed S is --seeds S:S)</source>
        <translation>--vary va con --seeds A:B (una sola semilla S es --seeds S:S)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--part goes with --seeds</source>
        <translation>--part va con --seeds</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--resume goes with --seeds: it goes on with a table</source>
        <translation>--resume va con --seeds: continúa una tabla</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--vary size does not go with --board: a board file has its own size</source>
        <translation>--vary size no va con --board: un archivo de tablero tiene su propio tamaño</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--vary and --seeds make more runs than can be counted</source>
        <translation>--vary y --seeds dan más simulaciones de las que se pueden contar</translation>
    </message>
    <message>
        <location filename="../programs/vivar-sim/plot.cpp" line="+24"/>
        <location line="+12"/>
        <source>the table cannot be read</source>
        <translation>no se puede leer la tabla</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>--against %1: %2 varies nothing</source>
        <translation>--against %1: %2 no varía nada</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--against %1: %2 does not vary it, only %3</source>
        <translation>--against %1: %2 no lo varía, solo %3</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../programs/vivar/main.cpp" line="+48"/>
        <source>%1 is the board file, which --counts would write over: name another file for the counts</source>
        <translation>%1 es el archivo del tablero, que --counts sobrescribiría: indique otro archivo para los recuentos</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>vivar: cannot write the counts file &apos;%1&apos;: %2</source>
        <translation>vivar: no se puede escribir el archivo de recuentos &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location filename="../app/console_trace.cpp" line="+26"/>
        <source>vivar: on a board larger than %1 x %2 the console shows no trace of the creatures; send it to a file to keep it: vivar ... &gt; trace.txt</source>
        <translation>vivar: en un tablero mayor que %1 x %2 la consola no muestra la traza de las criaturas; envíela a un archivo para conservarla: vivar ... &gt; traza.txt</translation>
    </message>
    <message>
        <location filename="../platform/console_windows.cpp" line="+103"/>
        <source>[... %1 lines left out: the console could not keep up. Send the output to a file to keep it all: vivar ... &gt; trace.txt]</source>
        <translation>[... %1 líneas omitidas: la consola no daba abasto. Envíe la salida a un archivo para conservarla entera: vivar ... &gt; traza.txt]</translation>
    </message>
</context>
</TS>
