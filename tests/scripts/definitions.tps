// Function definitions are evaluated again at every lookup, with the variables as they
// stand then; one that refers to itself stops at a bounded depth.
a=2
f()=a*10 // expect: 20
a=3
g=f // expect: 30
h()=h+1 // expect: 0
// expect diagnostic:  не найдено значение h
// expect failure: +
k=h // expect: 15
// expect diagnostic:  функция h вызывает сама себя: больше 16 вложенных вызовов
// expect failure: +
p()=a+1 // expect: 4
q()=p*2 // expect: 8
a=5
r=q // expect: 12
