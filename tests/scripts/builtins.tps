// Built-in functions.
// needs code page 1251 (the case of Ё and ё)
// Mathematics.
x=sin(pi/2) // expect: 1
x=sin(30°) // expect: 0{dec}5
x=cos(0) // expect: 1
x=tan(0) // expect: 0
x=cotan(pi/4) // expect: 1
x=cotan(0) // expect: 0
// expect failure: cotan
x=arcsin(1)*2 // expect: 3{dec}14159265358979
x=arcsin(2) // expect: 0
// expect failure: arcsin
x=arccos(1) // expect: 0
x=arccos(-1,5) // expect: 0
// expect failure: arccos
x=arctan(1)*4 // expect: 3{dec}14159265358979
x=arccot(0) // expect: 1{dec}5707963267949
x=arccot(1) // expect: 0{dec}785398163397448
x=ln(0) // expect: 0
// expect failure: ln
x=ln(exp(2)) // expect: 2
x=log10(1000) // expect: 3
x=log10(0) // expect: 0
// expect failure: log10
x=log2(8) // expect: 3
x=log(2; 8) // expect: 3
x=log(1; 8) // expect: 0
// expect failure: log
x=exp(1) // expect: 2{dec}71828182845905
x=exp(100000) // expect: 0
// expect failure: exp
x=root(2; 9) // expect: 3
x=root(3; 27) // expect: 3
x=root(0; 27) // expect: 0
// expect failure: root
x=root(0,5;-3) // expect: 9
x=root(2; -4) // expect: 0
// expect failure: root
x=poly(2; 1; 0; 1) // expect: 5
x=poly(2; array(1; 0; 1)) // expect: 5
x=poly(2) // expect: 0
// expect failure: poly
x=min(3; 1; 2) // expect: 1
x=max(3; 1; 2) // expect: 3
x=max(5;-1) // expect: 5
x=max(5; -1) // expect: 0
// expect failure: max
x=min(3) // expect: 0
// expect failure: min
x=min(3; "x") // expect: 0
// expect failure: min
x=max(1; "7") // expect: 7
x=sum(1; 2; 3) // expect: 6
x=sum(3) // expect: 3
x=sum(1; array(2; 3)) // expect: 6
x=mean(1; 2; 3) // expect: 1{dec}75
x=mean(1; 3) // expect: 2
x=mean(1) // expect: 0
// expect failure: mean
x=sign(-4) // expect: -1
x=sign(0) // expect: 0
x=sign(0,1) // expect: 1
x=abs(-2,5) // expect: 2{dec}5
x=sqr(-3) // expect: 9
x=sqrt(16) // expect: 4
x=sqrt(-1) // expect: 0
// expect failure: sqrt
x=sin() // expect: 0
// expect failure: sin
x=sin(1; 2) // expect: 0
// expect failure: sin
x=sin("1") // expect: 0

// Texts.
x=len(12.5) // expect: 4
x=len("абв") // expect: 3
x=pos("b"; "abc") // expect: 2
x=pos(""; "abc") // expect: 0
x=pos("B"; "abc") // expect: 0
x=lcase("ЁБВ Abc") // expect: ёбв abc
x=ucase("ёжик") // expect: ЁЖИК
x=trim("  a b  ") // expect: a b
x=replace("aXa"; "x"; "y") // expect: aya
x=replace("aXa"; "a"; "b"; false) // expect: bXa
x=replace("a1b2"; array("1"; "2"); "") // expect: ab
x=replace("Дорожка"; "дорожка"; "трек") // expect: трек
x=replace(5; array(); "") // expect: 5
x=isstring(replace(5; array(); "")) // expect: False
x=isstring(replace(5; "7"; "")) // expect: True
x=replace("aaa"; "aa"; "a") // expect: aa
x=replace("a"; "b") // expect: 0
// expect failure: replace
x=replace("a"; "a"; "b"; "x") // expect: 0
// expect failure: replace
x=midstr("abcdef"; 3) // expect: cdef
x=midstr("abcdef"; 2; 3) // expect: bcd
x=midstr("abc"; 0; 2) // expect: ab
x=midstr("abc"; 2,5) // expect: bc
x=midstr("abc") // expect: 0
// expect failure: midstr
x=cstr(12.5) // expect: 12.5
x=cstr(true) // expect: True
x=cstr("abc") // expect: 
x=cstr("""a""""b"" rest") // expect: a"b
x=string(array("a"; 1; 2,5)) // expect: [a; 1; 2.5]
x=cstr(array()) // expect: 0
// expect failure: cstr

// Types, choice, options, registers, arrays.
x=isreal(true) // expect: True
x=isreal("1") // expect: False
x=isvirtual("1") // expect: True
x=isvirtual(array(1)) // expect: True
x=isstring(1) // expect: False
x=isstring("") // expect: True
x=ifthen("True"; 1; 2) // expect: 1
x=ifthen(0; 1; "two") // expect: two
x=ifthen(1; (2); 3) // expect: 2
x=ifthen("yes"; 1; 2) // expect: 0
// expect failure: ifthen
x=ifthen(1; 2) // expect: 0
// expect failure: ifthen
x=options() // expect: 0
x=options(3) // expect: 3
x=options() // expect: 3
x=options(2,5) // expect: 2
x=options("7") // expect: 0
x=result(1) // expect: Error
x=result(0) // expect: Error
x=array(1; "a"; true) // expect: [1; a; True]
x=array() // expect: []
x=max(1-(2); 3) // expect: 3
x=true // expect: True
x=false // expect: False
x=pi // expect: 3{dec}14159265358979
x=pi() // expect: 3{dec}14159265358979
