// Operators: arithmetic, signs, texts in arithmetic, comparisons, logic, in.
x=5-2 // expect: 3
x=-5 // expect: -5
x=2^10 // expect: 1024
x=(-2)^3 // expect: -8
// A minus after "^" is binary: 2^-1 is (2^0)-1.
x=2^-1 // expect: 0
x=2^(-1) // expect: 0{dec}5
x=4^0.5 // expect: 2
x=0^3 // expect: 0
x=0^0 // expect: 1
x=2*-3 // expect: -3
x=1+2*3 // expect: 7
x=(1+2)*3 // expect: 9
x=2^3^2 // expect: 64
x=7/2 // expect: 3{dec}5
x=1,5+1 // expect: 2{dec}5
x=2*.5 // expect: 10
x=.5 // expect: 0{dec}5
x=30*2 // expect: 60
x=true+true // expect: -2
x=0.1+0.2 // expect: 0{dec}3

// Texts count as 0 in "-", "*" and "/", and as numbers when "+" meets a number.
TAGTrack="7"
x=TAGTrack-1 // expect: -1
x="5"+1 // expect: 6
x="a"+"b" // expect: ab
x="a"+1 // expect: 0
// expect failure: +
x=1/0 // expect: 0
// expect failure: /
x=0/0 // expect: 0
// expect failure: /
x=(-8)^(1/3) // expect: 0
// expect failure: ^
x=10^400 // expect: 0
// expect failure: ^
x=0^(-1) // expect: 0
// expect failure: ^

// Comparisons: texts byte by byte, numbers by value, texts against numbers as numbers.
x="abc"="ABC" // expect: False
x="b">"a" // expect: True
x="Abc"<"abc" // expect: True
x="5"=5 // expect: True
x="true"=true // expect: True
x=1<2 // expect: True
x=2>3 // expect: False
x="x"=1 // expect: 0
// expect failure: =
x=array(1)=1 // expect: 0
// expect failure: =

// Logic: both operands always computed; texts read as truth values.
x=true&false // expect: False
x=true|false // expect: True
x="True"&1 // expect: True
x=not 0 // expect: True
x=not(1) // expect: False
x=not "x" // expect: 0
// expect failure: not
// All four share the lowest precedence, left to right: ((1=1)&2)=2.
x=1=1&2=2 // expect: False
x=(1=1)&(2=2) // expect: True

// Membership.
BlackList=array("a"; "b")
t="b"
x=(t in BlackList) // expect: True
t="c"
x=(t in BlackList) // expect: False
t=1
x=(t in BlackList) // expect: 0
// expect failure: in
x=("a" in "abc") // expect: 0
// expect failure: in
